# tarvex_add_manual(TARGET NAME_LINE [COMMANDS] INCLUDES FILE...) makes TARGET's manual
# page from its own --help and --version with help2man (cmake/man_page.sh), with the
# sections of the include files (packaging/man/*.h2m), gzipped as Debian wants it, and
# installs it. COMMANDS adds a section made from each command's --help. Without
# help2man (scripts/test and scripts/package install it) the build goes on without it.
function(tarvex_add_manual target name_line)
  if(WIN32)
    return()
  endif()
  find_program(TARVEX_HELP2MAN help2man)
  if(NOT TARVEX_HELP2MAN)
    message(STATUS "help2man not found: ${target} is built without its manual page")
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 2 arg "COMMANDS" "" "INCLUDES")
  list(TRANSFORM arg_INCLUDES PREPEND ${PROJECT_SOURCE_DIR}/packaging/man/)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1.gz)
  set(script ${PROJECT_SOURCE_DIR}/cmake/man_page.sh)
  add_custom_command(
    OUTPUT ${page}
    COMMAND bash ${script} $<TARGET_FILE:${target}> ${name_line} ${page} $<$<BOOL:${arg_COMMANDS}>:--commands>
            ${arg_INCLUDES}
    DEPENDS ${target} ${script} ${arg_INCLUDES}
    VERBATIM COMMAND_EXPAND_LISTS)
  add_custom_target(${target}-manual ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION share/man/man1)
endfunction()
