# zd_library(NAME DEPS...): a static library of every .cpp in the current folder.
function(zd_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# zd_test(NAME DEPS...): one GoogleTest program of every .cpp in the current folder,
# run headless, each test in its own process so that tests run in parallel.
function(zd_test name)
  find_package(GTest REQUIRED)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARGN} zd_test_support GTest::gtest GTest::gmock)
  include(GoogleTest)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    # One variable per property: a list value would be split by the discovery script.
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=set:detect_leaks=0"
               TIMEOUT 120)
endfunction()
