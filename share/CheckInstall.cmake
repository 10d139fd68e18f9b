# Installs the build tree into a fresh staging folder and checks that the desktop finds
# everything where the freedesktop.org conventions put it, and that Help finds its pages
# beside the programs. Run with -DBUILD_DIR, -DSTAGE, -DPROGRAM_DIR, -DBIN_DIR, -DDATA_DIR.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${STAGE})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
          ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr --component roamwise
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(root ${STAGE}/usr)
foreach(expected
    ${DATA_DIR}/applications/rmw.desktop
    ${DATA_DIR}/applications/RmwConverter.desktop
    ${DATA_DIR}/mime/packages/roamwise.xml
    ${DATA_DIR}/icons/hicolor/scalable/apps/rmw.svg
    ${DATA_DIR}/icons/hicolor/scalable/apps/RmwConverter.svg
    ${DATA_DIR}/icons/hicolor/scalable/mimetypes/application-x-roamwise.svg
    ${PROGRAM_DIR}/help/index.html
    ${PROGRAM_DIR}/help/help.css
    ${PROGRAM_DIR}/rmwctl
    ${BIN_DIR}/rmwctl)
  if(NOT EXISTS ${root}/${expected})
    message(FATAL_ERROR "not installed: ${expected}")
  endif()
endforeach()
# The links in the binaries folder lead to the programs in the program folder.
file(REAL_PATH ${root}/${BIN_DIR}/rmwctl linked)
file(REAL_PATH ${root}/${PROGRAM_DIR}/rmwctl program)
if(NOT linked STREQUAL program)
  message(FATAL_ERROR "${BIN_DIR}/rmwctl leads to ${linked}, not ${program}")
endif()
file(REMOVE_RECURSE ${STAGE})
