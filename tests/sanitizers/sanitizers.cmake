# Runtime options of AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
# for every test of a -DGLIMMER_SANITIZE=ON build. Included at the end of
# tests/CMakeLists.txt, once all test folders are known.
#
# CTest reads env.cmake (configured from env.cmake.in) before it runs the tests
# of any folder below tests/, and the options it sets are inherited by every test
# process: the Qt Test suites, the end-to-end scripts and the program they start,
# and tests added later without any change here. A developer's own
# ASAN_OPTIONS, LSAN_OPTIONS and UBSAN_OPTIONS come after ours and so win.

set(GLIMMER_SANITIZER_DIR ${CMAKE_CURRENT_LIST_DIR})

# Every finding ends the process with a report; leaks are checked at exit.
set(GLIMMER_ASAN_OPTIONS
    "detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:detect_odr_violation=2")
set(GLIMMER_LSAN_OPTIONS "suppressions=${GLIMMER_SANITIZER_DIR}/lsan.supp:print_suppressions=0")
set(GLIMMER_UBSAN_OPTIONS "halt_on_error=1:print_stacktrace=1:report_error_type=1")

configure_file(${GLIMMER_SANITIZER_DIR}/env.cmake.in ${CMAKE_BINARY_DIR}/sanitizer-env.cmake @ONLY)

# glimmer_sanitizer_environment(<dir>): makes CTest read the options before the
# tests of <dir> and of every folder below it, so that ctest started in any test
# folder of the build gets them.
function(glimmer_sanitizer_environment dir)
  set_property(DIRECTORY ${dir} APPEND PROPERTY TEST_INCLUDE_FILES
               ${CMAKE_BINARY_DIR}/sanitizer-env.cmake)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    glimmer_sanitizer_environment(${subdir})
  endforeach()
endfunction()
