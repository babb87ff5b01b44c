# The fuzz targets and the libraries each one drives; shared by the libFuzzer build (fuzz/)
# and the corpus replay of the ordinary build (tests/fuzz/).
set(ZEB_FUZZ_TARGETS
    number_reading
    cli_arguments
    calculation_report
    csv_import
    access_reader
    study_file
    batch)
set(ZEB_FUZZ_LIBS_number_reading zeb_report)
set(ZEB_FUZZ_LIBS_cli_arguments zeb_cli)
set(ZEB_FUZZ_LIBS_calculation_report zeb_report)
set(ZEB_FUZZ_LIBS_csv_import zeb_refdata)
set(ZEB_FUZZ_LIBS_access_reader zeb_refdata)
set(ZEB_FUZZ_LIBS_study_file zeb_report)
set(ZEB_FUZZ_LIBS_batch zeb_cli)
