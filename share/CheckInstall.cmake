# Installs the build tree into a fresh staging folder and checks that the desktop finds
# everything where the freedesktop.org conventions put it, and that Help finds its pages
# beside the programs. Run with -DBUILD_DIR, -DSTAGE, -DPROGRAM_DIR, -DBIN_DIR, -DDATA_DIR
# and -DPROGRAMS (the programs the build makes).
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
    ${PROGRAM_DIR}/AddIns/hosts.so)
  if(NOT EXISTS ${root}/${expected})
    message(FATAL_ERROR "not installed: ${expected}")
  endif()
endforeach()
# Each program is in the program folder, and its link in the binaries folder leads there.
foreach(name ${PROGRAMS})
  if(NOT EXISTS ${root}/${PROGRAM_DIR}/${name})
    message(FATAL_ERROR "not installed: ${PROGRAM_DIR}/${name}")
  endif()
  file(REAL_PATH ${root}/${BIN_DIR}/${name} linked)
  file(REAL_PATH ${root}/${PROGRAM_DIR}/${name} program)
  if(NOT linked STREQUAL program)
    message(FATAL_ERROR "${BIN_DIR}/${name} leads to ${linked}, not ${program}")
  endif()
endforeach()
file(REMOVE_RECURSE ${STAGE})
