# tarvex_windows_resources(TARGET DESCRIPTION) gives a Windows executable the icon made
# from app/tarvex.svg (app/tarvex.ico, see scripts/make-icon) and its version details:
# the version from project(), the copyright from LICENSE.
function(tarvex_windows_resources target description)
  set(TARVEX_ICON_FILE ${PROJECT_SOURCE_DIR}/app/tarvex.ico)
  set(TARVEX_FILE_DESCRIPTION "${description}")
  set(TARVEX_FILE_NAME ${target})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows_resources.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${TARVEX_ICON_FILE})
endfunction()
