# Debian packages from the install components (cpack -G DEB in a build dir):
#   kelvaron-batch  the batch command, schema, examples, its man page; no Qt
#   kelvaron        the dialog, desktop entry and icons; depends on the first
# Library dependencies come from dpkg-shlibdeps; the ODBC driver manager and a
# catalogue driver are added, since both are loaded only at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvaron)
set(CPACK_PACKAGE_VENDOR "KELVARON developers")
set(CPACK_PACKAGE_CONTACT "KELVARON developers <kelvaron@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Recorder file to TVX 4.0 converter with an ODBC catalogue")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_COMPONENTS_ALL kelvaron-batch kelvaron)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Packages carry stripped programs, as Debian's own do.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_KELVARON-BATCH_PACKAGE_NAME kelvaron-batch)
set(CPACK_DEBIAN_KELVARON-BATCH_PACKAGE_DEPENDS "unixodbc, odbc-postgresql | libsqliteodbc")
set(CPACK_DEBIAN_KELVARON-BATCH_PACKAGE_SUGGESTS "odbc-postgresql, libsqliteodbc")
set(CPACK_COMPONENT_KELVARON-BATCH_DESCRIPTION "KELVARON batch converter (no GUI)
kelvaron-batch converts field recorder files into TVX 4.0 trace files and
registers them in the data centre's catalogue over ODBC, from cron or a
systemd timer. Includes the catalogue schema and example settings.")

set(CPACK_DEBIAN_KELVARON_PACKAGE_NAME kelvaron)
set(CPACK_DEBIAN_KELVARON_PACKAGE_DEPENDS "kelvaron-batch (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_KELVARON_DESCRIPTION "KELVARON converter dialog
The operator's Qt dialog of KELVARON: pick stations, channels and a time
window, or recorder files, and convert them to TVX 4.0 trace files.")

include(CPack)
