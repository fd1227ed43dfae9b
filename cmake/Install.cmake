# Where an installed KELVARON puts its files (GNU layout below the prefix,
# /usr unless CMAKE_INSTALL_PREFIX says otherwise: the packages, the systemd
# units and the documentation all name /usr/bin):
#   bin/kelvaron, bin/kelvaron-batch, bin/kelvaron-plot
#   share/kelvaron/schema/{sqlite,postgresql}.sql
#   share/doc/kelvaron-batch/  examples/ (settings, odbc.ini, crontab),
#                              changelog.gz, copyright; the same for kelvaron
#   share/man/man1/kelvaron.1.gz, kelvaron-batch.1.gz, kelvaron-plot.1.gz
#   share/applications/kelvaron.desktop, share/icons/hicolor/*/apps/kelvaron.png
#   /etc/kelvaron/kelvaron.ini   the service's settings (a conffile)
#   /lib/systemd/system/kelvaron-batch.{service,timer}, kelvaron-watch.service
# Two install components, one per Debian package: kelvaron-batch (the batch
# command and every shared file; no Qt) and kelvaron (the dialog and what only
# a desktop needs). Anything installed without a component goes with the
# dialog, so that a Qt program added later never lands in the server package.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Install prefix" FORCE)
endif()
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME kelvaron)
set(KELVARON_SCHEMA_DIR ${CMAKE_INSTALL_DATADIR}/kelvaron/schema)
set(KELVARON_SYSTEMD_UNIT_DIR /lib/systemd/system CACHE PATH "Where the systemd units go")
set(KELVARON_CONFIG_FILE ${CMAKE_INSTALL_FULL_SYSCONFDIR}/kelvaron/kelvaron.ini)
set(KELVARON_TVX_INI /etc/tvx.ini)
set(KELVARON_MAINTAINER "KELVARON developers <kelvaron@tvx-datacentre.org>"
    CACHE STRING "Maintainer of the Debian packages (name <address>)")

# Debian wants man pages and changelogs compressed, without a time stamp.
function(kelvaron_gzip out source)
  add_custom_command(OUTPUT ${out}
    COMMAND gzip -9n -c ${source} > ${out}
    DEPENDS ${source} VERBATIM)
  string(MAKE_C_IDENTIFIER "${out}" target)
  add_custom_target(gz_${target} ALL DEPENDS ${out})
endfunction()

# A package's own documentation directory: its changelog and copyright.
function(kelvaron_install_package_docs package)
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/${package})
  set(KELVARON_DEB_PACKAGE ${package})
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in
                 ${PROJECT_BINARY_DIR}/packaging/${package}/changelog @ONLY)
  kelvaron_gzip(${PROJECT_BINARY_DIR}/packaging/${package}/changelog.gz
                ${PROJECT_BINARY_DIR}/packaging/${package}/changelog)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/${package}/changelog.gz
                ${PROJECT_SOURCE_DIR}/packaging/debian/copyright
          DESTINATION ${doc} COMPONENT ${package})
endfunction()

function(kelvaron_install_man_page page component)
  set(gz ${PROJECT_BINARY_DIR}/man/${page}.gz)
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/man)
  kelvaron_gzip(${gz} ${PROJECT_SOURCE_DIR}/docs/man/${page})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()

function(kelvaron_install_units)
  file(READ ${PROJECT_SOURCE_DIR}/packaging/systemd/sandbox.conf KELVARON_UNIT_SANDBOX)
  string(STRIP "${KELVARON_UNIT_SANDBOX}" KELVARON_UNIT_SANDBOX)
  set(units)
  foreach(unit kelvaron-batch.service kelvaron-watch.service)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/systemd/${unit}.in
                   ${PROJECT_BINARY_DIR}/packaging/systemd/${unit} @ONLY)
    list(APPEND units ${PROJECT_BINARY_DIR}/packaging/systemd/${unit})
  endforeach()
  install(FILES ${units} ${PROJECT_SOURCE_DIR}/packaging/systemd/kelvaron-batch.timer
          DESTINATION ${KELVARON_SYSTEMD_UNIT_DIR} COMPONENT kelvaron-batch)
endfunction()

function(kelvaron_install_shared_files)
  install(FILES ${PROJECT_SOURCE_DIR}/catalog/schema/sqlite.sql
                ${PROJECT_SOURCE_DIR}/catalog/schema/postgresql.sql
          DESTINATION ${KELVARON_SCHEMA_DIR} COMPONENT kelvaron-batch)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/examples/
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvaron-batch/examples
          COMPONENT kelvaron-batch)
  get_filename_component(config_dir ${KELVARON_CONFIG_FILE} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/kelvaron.ini
          DESTINATION ${config_dir} COMPONENT kelvaron-batch)
  kelvaron_install_units()
  kelvaron_install_man_page(kelvaron-batch.1 kelvaron-batch)
  kelvaron_install_man_page(kelvaron.1 kelvaron)
  kelvaron_install_man_page(kelvaron-plot.1 kelvaron)
  kelvaron_install_package_docs(kelvaron-batch)
  kelvaron_install_package_docs(kelvaron)

  install(FILES ${PROJECT_SOURCE_DIR}/res/kelvaron.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT kelvaron)
  set(icons ${PROJECT_SOURCE_DIR}/res/pictures)
  foreach(size 16 32)
    install(FILES ${icons}/icon128_${size}.png RENAME kelvaron.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            COMPONENT kelvaron)
  endforeach()
  foreach(size 48 64 128 256)
    install(FILES ${icons}/hicolor/kelvaron_${size}.png RENAME kelvaron.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            COMPONENT kelvaron)
  endforeach()
endfunction()
