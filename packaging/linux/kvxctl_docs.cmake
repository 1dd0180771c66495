# kvxctl's manual page and bash completion, their command line parts from kvxctl itself
# (kvxctl --manual-page, --bash-completion), so that they list every subcommand it has.
# Run with -DKVXCTL=program -DTEMPLATE=kvxctl.1.in -DVERSION=x.y -DPAGE=out.1 -DCOMPLETION=out.bash
foreach(part manual-page bash-completion)
  execute_process(COMMAND ${KVXCTL} --${part} OUTPUT_VARIABLE ${part} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${KVXCTL} --${part} failed: ${failed}")
  endif()
endforeach()

file(READ ${TEMPLATE} page)
set(marker ".\\\" OPTIONS and COMMANDS: made from kvxctl's own definitions at build time\n")
string(FIND "${page}" "${marker}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${TEMPLATE} lacks the line: ${marker}")
endif()
string(REPLACE "${marker}" "${manual-page}" page "${page}")
string(REPLACE "@PROJECT_VERSION@" "${VERSION}" page "${page}")
file(WRITE ${PAGE} "${page}")
file(WRITE ${COMPLETION} "${bash-completion}")
