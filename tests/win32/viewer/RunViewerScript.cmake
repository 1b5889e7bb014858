# Runs the stand-in viewer of the build's viewer folder on a script under
# Wine and compares its output with the expected lines.
# -DWINE_RUN= -DPREFIX= -DVIEWER= -DSCRIPT= -DEXPECTED=
execute_process(
  COMMAND ${WINE_RUN} --prefix ${PREFIX} ${VIEWER} --script Z:${SCRIPT}
  OUTPUT_VARIABLE output
  RESULT_VARIABLE status
  ERROR_QUIET)
file(READ ${EXPECTED} expected)
message("${output}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "viewer exited with ${status}")
endif()
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "viewer output differs from ${EXPECTED}")
endif()
