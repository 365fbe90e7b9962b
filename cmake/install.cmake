# What `cmake --install` puts where, below the prefix (/usr in the Debian
# package): both programs, the desktop entry, the icon, the AppStream
# metadata, the manual pages, and the README, the guides of docs/ and the
# example session in the documentation folder. The 48x48 icon is rendered
# from the SVG and kept with it: rsvg-convert -w 48 -h 48 headly.svg.
include(GNUInstallDirs)

set(HEADLY_DATA ${CMAKE_SOURCE_DIR}/data)
set(HEADLY_GENERATED_DATA ${CMAKE_BINARY_DIR}/data)

install(TARGETS headly-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET headly)
  install(TARGETS headly RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${HEADLY_DATA}/${HEADLY_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${HEADLY_DATA}/icons/headly.svg RENAME ${HEADLY_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${HEADLY_DATA}/icons/headly-48.png RENAME ${HEADLY_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
configure_file(${HEADLY_DATA}/${HEADLY_APP_ID}.metainfo.xml.in
               ${HEADLY_GENERATED_DATA}/${HEADLY_APP_ID}.metainfo.xml @ONLY)
install(FILES ${HEADLY_GENERATED_DATA}/${HEADLY_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# headly_gzip(SOURCE OUTPUT): OUTPUT is SOURCE compressed without a time
# stamp, made when the build is configured (as SOURCE is, by configure_file),
# so that installing needs no build target beyond the programs.
function(headly_gzip source output)
  execute_process(COMMAND gzip -9 -n -c ${source} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

foreach(page headly headly-batch)
  configure_file(${HEADLY_DATA}/man/${page}.1.in ${HEADLY_GENERATED_DATA}/man/${page}.1 @ONLY)
  headly_gzip(${HEADLY_GENERATED_DATA}/man/${page}.1 ${HEADLY_GENERATED_DATA}/man/${page}.1.gz)
  install(FILES ${HEADLY_GENERATED_DATA}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR} OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/samples/sales.csv ${CMAKE_SOURCE_DIR}/samples/sales.script
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
