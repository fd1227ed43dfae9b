# Where an installed KELVARON puts its files (GNU layout below the prefix):
#   bin/kelvaron, bin/kelvaron-batch
#   share/kelvaron/schema/{sqlite,postgresql}.sql
#   share/doc/kelvaron/examples/  settings, odbc.ini, systemd and cron examples
#   share/man/man1/kelvaron.1, kelvaron-batch.1
#   share/applications/kelvaron.desktop, share/icons/hicolor/*/apps/kelvaron.png
# Two install components, one per Debian package: kelvaron-batch (the batch
# command and every shared file; no Qt) and kelvaron (the dialog and what only
# a desktop needs). Anything installed without a component goes with the
# dialog, so that a Qt program added later never lands in the server package.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME kelvaron)
set(KELVARON_SCHEMA_DIR ${CMAKE_INSTALL_DATADIR}/kelvaron/schema)

function(kelvaron_install_shared_files)
  install(FILES ${PROJECT_SOURCE_DIR}/catalog/schema/sqlite.sql
                ${PROJECT_SOURCE_DIR}/catalog/schema/postgresql.sql
          DESTINATION ${KELVARON_SCHEMA_DIR} COMPONENT kelvaron-batch)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/examples/
          DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT kelvaron-batch)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/man/kelvaron-batch.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT kelvaron-batch)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/man/kelvaron.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT kelvaron)

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
