# zd_library(NAME DEPS...): a static library of every .cpp in the current folder.
function(zd_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# Leak checking of the sanitizer build for every test: only leaks inside system libraries that
# keep their buffers to the end of the process are suppressed, never our own.
set(ZD_TEST_LSAN_OPTIONS "LSAN_OPTIONS=set:suppressions=${CMAKE_SOURCE_DIR}/tests/support/lsan.supp:print_suppressions=0")

# zd_test(NAME DEPS...): one GoogleTest program of every .cpp in the current folder,
# run headless, each test in its own process so that tests run in parallel. The tests carry the
# label in ZD_TEST_LABEL where the including folder sets one.
function(zd_test name)
  find_package(GTest REQUIRED)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARGN} zd_test_support GTest::gtest GTest::gmock)
  set(label_property "")
  if(ZD_TEST_LABEL)
    set(label_property LABELS ${ZD_TEST_LABEL})
  endif()
  include(GoogleTest)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    # One variable per property: a list value would be split by the discovery script.
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ENVIRONMENT_MODIFICATION "${ZD_TEST_LSAN_OPTIONS}"
               TIMEOUT 120
               ${label_property})
endfunction()
