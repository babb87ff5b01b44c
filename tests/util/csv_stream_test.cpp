#include "util/csv_stream.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Every record of the text as "line:field|field|…;", a malformed one as "errorLine!reason;".
std::string readAll(const std::string& text) {
    std::istringstream in(text);
    util::CsvStream csv(in);
    util::CsvRecord record;
    std::string out;
    for (auto read = csv.next(record); read != util::CsvStream::Read::End;
         read = csv.next(record)) {
        if (read == util::CsvStream::Read::Malformed) {
            out += std::to_string(csv.errorLine()) + "!" + csv.error() + ";";
            continue;
        }
        out += std::to_string(record.line) + ":";
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            out += (i ? "|" : "") + record.fields[i];
        }
        out += ";";
    }
    return out;
}

TEST(CsvStream, ReadsRecordsByTheStandard) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBFid,cn\r\nb1,75\r\n", "1:id|cn;2:b1|75;"},
        {"a,,\n\n\nb\n", "1:a||;4:b;"},
        {"\"x,y\",\"di \"\"z\"\"\"\n", "1:x,y|di \"z\";"},
        {"1,\"two\r\nlines\"\n3\n", "1:1|two\r\nlines;3:3;"},
        {"last,without,break", "1:last|without|break;"},
        {"a\n\"open\nmore\n", "1:a;2!aspas abertas e não fechadas até o fim do arquivo;"},
        {"\"a\"b,x\nnext\n", "1!texto depois das aspas que fecham um campo;2:next;"},
        {"1,\"a\nb\"c\nnext\n", "2!texto depois das aspas que fecham um campo;3:next;"},
        {"ok\nab\"c\n3\n", "1:ok;2!aspas no meio de um campo sem aspas;3:3;"},
        // A record is held up to 64 KiB: past that its line is skipped, unread.
        {"a\n" + std::string(65536, 'x') + "\nb\n", "1:a;2:" + std::string(65536, 'x') + ";3:b;"},
        {"a\n" + std::string(65537, 'x') + "\nb\n", "1:a;2!a linha tem mais de 64 KiB;3:b;"},
        {"\"" + std::string(40000, 'x') + "\n" + std::string(40000, 'y') + "\nb\n",
         "1!o texto entre aspas passa de 64 KiB (aspas não fechadas?);3:b;"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(readAll(text), expected) << text;
    }
}

TEST(CsvStream, FieldsAreWrittenQuotedOnlyWhenNeeded) {
    EXPECT_EQ(util::csvField("Bacia 7"), "Bacia 7");
    EXPECT_EQ(util::csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(util::csvField("a;b", ';'), "\"a;b\"");
    EXPECT_EQ(util::csvField("1,5", ';'), "1,5");
    EXPECT_EQ(util::csvField("o \"rio\""), "\"o \"\"rio\"\"\"");
    EXPECT_EQ(util::csvField("linha\nnova"), "\"linha\nnova\"");
    EXPECT_EQ(util::csvField("cr\r"), "\"cr\r\"");
}

} // namespace
