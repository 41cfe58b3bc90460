# Makes tarvex-cli's manual page from its --help and --version with help2man:
#   cmake -DHELP2MAN=... -DPROGRAM=.../tarvex-cli -DOUTPUT=.../tarvex-cli.1 -P TarvexManPage.cmake
# The help names the settings file that this very executable would use, a path in the
# build folder; the page says instead where an installed tarvex-cli keeps it.
execute_process(
  COMMAND ${HELP2MAN} --no-info --section 1
          --name "the field controller's operations from the command line" ${PROGRAM}
  OUTPUT_VARIABLE page
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "help2man ${PROGRAM} failed: ${result}")
endif()
string(REGEX REPLACE "\n[^\n]*/log\\.log[^\n]*\n"
       "\n\\\\fIlog.log\\\\fR beside tarvex\\\\-cli when that folder can be written or holds one, else \\\\fI$XDG_CONFIG_HOME/tarvex/log.log\\\\fR (\\\\fI~/.config/tarvex/log.log\\\\fR)\n"
       page "${page}")
file(WRITE ${OUTPUT} "${page}")
