# The program folder and the release archive, from one list: the install
# rules. `cmake --install BUILD --prefix dist` lays out dist/, and CPack
# zips the same files under the project version's name.
set(HALVESTA_PROGRAMS halvesta halvesta-check)
# `cmake --build BUILD --target program` builds what the rules install.
add_custom_target(program)
add_dependencies(program ${HALVESTA_PROGRAMS})
install(TARGETS ${HALVESTA_PROGRAMS} RUNTIME DESTINATION halvesta)
install(FILES ${CMAKE_SOURCE_DIR}/res/config.ini ${CMAKE_SOURCE_DIR}/res/icon.ico DESTINATION halvesta)
install(FILES ${CMAKE_SOURCE_DIR}/res/fira-code.png ${CMAKE_SOURCE_DIR}/res/OFL.txt DESTINATION halvesta/res)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/docs/screenshot.png ${CMAKE_SOURCE_DIR}/docs/check-preview.png DESTINATION docs OPTIONAL)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME halvesta)
set(CPACK_PACKAGE_VENDOR "The Halvesta authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "halvesta-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
# NAME.zip.sha256 beside the zip, so a damaged download can be told.
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
