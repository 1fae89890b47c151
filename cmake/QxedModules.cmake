# Every module under src/ is one static library named qxed_<module>, built
# from all .cpp files of its folder; every tests/<module>/ folder is one
# GoogleTest executable test_<module>, whose main (tests/support) starts offscreen graphics.
include(GoogleTest)

function(qxed_module name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    # A module without code yet: headers only.
    add_library(qxed_${name} INTERFACE)
    target_include_directories(qxed_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(qxed_${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(qxed_${name} STATIC ${sources})
  target_include_directories(qxed_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(qxed_${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

function(qxed_test name)
  # WIDGETS: the test program runs a widget application, as the editor does.
  cmake_parse_arguments(ARG "WIDGETS" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_WIDGETS)
    set(test_main qxed_widget_test_main)
  else()
    set(test_main qxed_test_main)
  endif()
  target_link_libraries(test_${name} PRIVATE qxed_${name} ${ARG_DEPS} GTest::gtest GTest::gmock ${test_main})
  gtest_discover_tests(test_${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
