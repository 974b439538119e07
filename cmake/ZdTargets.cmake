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

# Whether the target, or anything it links, links the library: the result variable is set in
# the caller. Only the targets' own link lists are followed.
function(zd_links_library result target library)
  set(pending ${target})
  set(seen)
  while(pending)
    list(POP_FRONT pending current)
    if(current STREQUAL library)
      set(${result} TRUE PARENT_SCOPE)
      return()
    endif()
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
    if(links)
      list(APPEND pending ${links})
    endif()
  endwhile()
  set(${result} FALSE PARENT_SCOPE)
endfunction()

option(ZD_WHOLE_TEST_PROGRAMS "Register each test program as one ctest test that runs all its tests" OFF)

# The tests of program NAME that the thread-sanitizer run takes, into RESULT: "*" for all of
# them (its folder's ZD_TEST_LABEL is "threads", or ZD_THREADED_TEST_PROGRAMS names it), the
# GoogleTest filter of an entry "NAME:filter" of ZD_THREADED_TEST_PROGRAMS, else empty.
function(zd_threaded_tests_of result name)
  set(part "")
  if(ZD_TEST_LABEL STREQUAL "threads")
    set(part "*")
  endif()
  foreach(entry IN LISTS ZD_THREADED_TEST_PROGRAMS)
    if(entry STREQUAL name)
      set(part "*")
    elseif(entry MATCHES "^${name}:(.+)$")
      set(part "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(${result} "${part}" PARENT_SCOPE)
endfunction()

# zd_test(NAME DEPS...): one GoogleTest program of every .cpp in the current folder, run
# headless. By default each test is its own ctest test in its own process, so that tests run
# in parallel; with ZD_WHOLE_TEST_PROGRAMS the program runs whole, which starts far fewer
# processes. Programs that link the UI layer get the main that fails unscripted questions.
# The tests that the thread-sanitizer run takes (zd_threaded_tests_of) carry the label
# "threads", and the program is part of the target threaded_tests; a folder that sets
# ZD_TEST_RUN_ALONE has its tests run while no other test runs, for tests that keep pace with a
# simulated instrument in real time and would miss it on a crowded machine.
function(zd_test name)
  find_package(GTest REQUIRED)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set(ui_support)
  foreach(dependency IN LISTS ARGN)
    zd_links_library(with_ui ${dependency} zd_platform_ui)
    if(with_ui)
      set(ui_support zd_test_support_ui)
    endif()
  endforeach()
  # The UI support comes first: its main is the one the linker takes.
  target_link_libraries(${name} PRIVATE ${ARGN} ${ui_support} zd_test_support GTest::gtest GTest::gmock)
  zd_threaded_tests_of(threaded ${name})
  if(threaded)
    add_dependencies(threaded_tests ${name})
  endif()
  set(serial "")
  if(ZD_TEST_RUN_ALONE)
    set(serial RUN_SERIAL TRUE)
  endif()
  # The filters of the tests with and without the label; a program's tests are all of one kind
  # unless a filter picks some of them.
  if(threaded STREQUAL "*")
    set(parts "*")
    set(part_labels "threads")
  elseif(threaded)
    set(parts "${threaded}" "-${threaded}")
    set(part_labels "threads" "")
  else()
    set(parts "*")
    set(part_labels "")
  endif()
  # A filter holds ':' but never ';', so the two lists stay apart.
  foreach(part label IN ZIP_LISTS parts part_labels)
    set(label_property "")
    if(label)
      set(label_property LABELS ${label})
    endif()
    if(ZD_WHOLE_TEST_PROGRAMS)
      set(test_name ${name})
      if(NOT part STREQUAL "*" AND label)
        set(test_name ${name}_threads)
      endif()
      add_test(NAME ${test_name} COMMAND ${name} --gtest_filter=${part})
      set_tests_properties(${test_name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        ENVIRONMENT_MODIFICATION "${ZD_TEST_LSAN_OPTIONS}"
        TIMEOUT 1200
        ${label_property} ${serial})
      continue()
    endif()
    include(GoogleTest)
    gtest_discover_tests(${name}
      TEST_FILTER "${part}"
      DISCOVERY_TIMEOUT 60
      # One variable per property: a list value would be split by the discovery script.
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                 ENVIRONMENT_MODIFICATION "${ZD_TEST_LSAN_OPTIONS}"
                 TIMEOUT 120
                 ${label_property} ${serial})
  endforeach()
endfunction()
