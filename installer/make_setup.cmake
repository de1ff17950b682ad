# Makes the setup program, logged at full verbosity so that every plug-in it packs and every
# System::Call of the script and of the headers' macros reaches the log the package check reads.
# A second compile leaves the uninstaller that setup writes as a file for the same check: asked
# for in the shipped compile, it would be stored whole and make setup 48 KB larger.
# Run as: cmake -DMAKENSIS=... -DSCRIPT=... -DVERSION=... -DDIST=... -DSETUP=... -DUNINSTALLER=...
#         -DLOG=... -P make_setup.cmake
function(makensis log outfile)
  execute_process(
    COMMAND ${MAKENSIS} -V4 -O${log}
            # Below 4 these headers keep their macros' commands out of the log.
            -DLOGICLIB_VERBOSITY=4 -DMUI_VERBOSE=4 -D_FILEFUNC_VERBOSE=4 -D_WORDFUNC_VERBOSE=4
            ${ARGN} -DVERSION=${VERSION} -DDIST=${DIST} -DOUTFILE=${outfile} ${SCRIPT}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(STRINGS ${log} lines)
    list(LENGTH lines count)
    set(first 0)
    if(count GREATER 20)
      math(EXPR first "${count} - 20")
    endif()
    list(SUBLIST lines ${first} -1 tail)
    list(JOIN tail "\n" text)
    message(FATAL_ERROR "makensis failed (full log: ${log}):\n${text}")
  endif()
endfunction()

file(REMOVE ${SETUP} ${UNINSTALLER})
makensis(${LOG} ${SETUP})
set(scratch ${UNINSTALLER}.setup)
makensis(${UNINSTALLER}.log ${scratch}
         "-X!uninstfinalize '\"${CMAKE_COMMAND}\" -E copy \"%1\" \"${UNINSTALLER}\"'")
file(REMOVE ${scratch} ${UNINSTALLER}.log)
