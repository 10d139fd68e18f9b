# Installs the build tree into a fresh staging folder and checks that the tray utility's
# menu entry is where the desktop menu looks, and its autostart entry where the session
# looks at logon, switched off. Run with -DBUILD_DIR, -DSTAGE, -DDATA_DIR, -DAUTOSTART_DIR
# (the autostart folder as an absolute path).
file(REMOVE_RECURSE ${STAGE})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
          ${CMAKE_COMMAND} --install ${BUILD_DIR} --component roamwise
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -L -N ${BUILD_DIR}
  OUTPUT_VARIABLE cache)
string(REGEX MATCH "CMAKE_INSTALL_PREFIX:PATH=([^\n]*)" _ "${cache}")
set(prefix ${CMAKE_MATCH_1})

set(menu_entry ${STAGE}${prefix}/${DATA_DIR}/applications/RmwSysTray.desktop)
set(autostart_entry ${STAGE}${AUTOSTART_DIR}/RmwSysTray.desktop)
foreach(expected ${menu_entry} ${autostart_entry})
  if(NOT EXISTS ${expected})
    message(FATAL_ERROR "not installed: ${expected}")
  endif()
endforeach()
file(STRINGS ${autostart_entry} hidden REGEX "^Hidden=true$")
if(NOT hidden)
  message(FATAL_ERROR "${autostart_entry} is not installed switched off (Hidden=true)")
endif()
file(STRINGS ${autostart_entry} exec REGEX "^Exec=RmwSysTray$")
if(NOT exec)
  message(FATAL_ERROR "${autostart_entry} does not start RmwSysTray")
endif()
file(REMOVE_RECURSE ${STAGE})
