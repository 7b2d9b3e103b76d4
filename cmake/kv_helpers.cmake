# kv_add_test(<name> SOURCES <files...> LIBS <targets...>)
# Every test runs offscreen, so no display is needed and no window can block.
function(kv_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE kvtestsupport ${ARG_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false"
    TIMEOUT 300)
endfunction()
