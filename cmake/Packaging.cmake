# Debian packages from the install components (cpack -G DEB in a build dir):
#   kelvaron-batch  the batch command, schema, examples, its man page, the
#                   service account, /etc/kelvaron/kelvaron.ini and the
#                   systemd units; no Qt
#   kelvaron        the dialog, kelvaron-plot, desktop entry and icons;
#                   depends on the first
# Library dependencies come from dpkg-shlibdeps; the ODBC driver manager and a
# catalogue driver are added, since both are loaded only at run time.
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Install prefix ${CMAKE_INSTALL_PREFIX}: the systemd units name "
                 "${CMAKE_INSTALL_FULL_BINDIR}, the Debian packages need /usr")
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvaron)
set(CPACK_PACKAGE_VENDOR "KELVARON developers")
# Each package has a synopsis of its own: the first line of its description.
# CPackDeb puts the package summary in front of both unless it is CPack's
# default, so the summary is set to exactly that.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_PACKAGE_CONTACT "${KELVARON_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL kelvaron-batch kelvaron)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Packages carry stripped programs, as Debian's own do.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_KELVARON-BATCH_PACKAGE_NAME kelvaron-batch)
set(CPACK_DEBIAN_KELVARON-BATCH_PACKAGE_DEPENDS
    "adduser, unixodbc, odbc-postgresql | libsqliteodbc")
set(CPACK_DEBIAN_KELVARON-BATCH_PACKAGE_SUGGESTS "odbc-postgresql, libsqliteodbc")
set(CPACK_DEBIAN_KELVARON-BATCH_DESCRIPTION "recorder file to TVX 4.0 converter - batch command
kelvaron-batch converts field recorder files into TVX 4.0 trace files and
registers them in the data centre's catalogue over ODBC. It runs as the
service account kelvaron from the systemd timer or watcher this package
installs (both disabled until enabled), or from cron. Includes the
catalogue schema and example settings; no graphical interface.")
# The conffile list and the scripts that keep the service account and the
# units' state.
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/postinst
               ${PROJECT_BINARY_DIR}/packaging/control/postinst COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/prerm
               ${PROJECT_BINARY_DIR}/packaging/control/prerm COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/postrm
               ${PROJECT_BINARY_DIR}/packaging/control/postrm COPYONLY)
file(WRITE ${PROJECT_BINARY_DIR}/packaging/control/conffiles "${KELVARON_CONFIG_FILE}\n")
set(CPACK_DEBIAN_KELVARON-BATCH_PACKAGE_CONTROL_EXTRA
    ${PROJECT_BINARY_DIR}/packaging/control/conffiles
    ${PROJECT_BINARY_DIR}/packaging/control/postinst
    ${PROJECT_BINARY_DIR}/packaging/control/prerm
    ${PROJECT_BINARY_DIR}/packaging/control/postrm)

set(CPACK_DEBIAN_KELVARON_PACKAGE_NAME kelvaron)
set(CPACK_DEBIAN_KELVARON_PACKAGE_DEPENDS "kelvaron-batch (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_KELVARON_DESCRIPTION "recorder file to TVX 4.0 converter - operator's dialog
The operator's Qt dialog of KELVARON: pick stations, channels and a time
window, or recorder files, and convert them to TVX 4.0 trace files. With
kelvaron-plot, which draws a recording or a trace file into a PNG picture
without a display.")

include(CPack)
