#include "chart/pdf_page.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace chart {

QRect setUpLandscapePdf(QPdfWriter& pdf, const QString& title, double marginMm) {
    pdf.setResolution(96);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("ZEB"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(marginMm, marginMm, marginMm, marginMm),
                                  QPageLayout::Millimeter));
    return pdf.pageLayout().paintRectPixels(pdf.resolution());
}

} // namespace chart
