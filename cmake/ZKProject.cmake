# Shared build helpers: one way to declare a library, its tests and its
# benchmarks, so every folder is built with the same flags.
include(GenerateExportHeader)

set(ZK_WARNINGS -Wall -Wextra)

# Fuzz targets need libFuzzer (clang) and a sanitizer run time, which also
# supplies the coverage callbacks the instrumented libraries call.
set(ZK_HAVE_LIBFUZZER OFF)
if(ZK_FUZZ)
  include(CheckCXXSourceCompiles)
  set(CMAKE_REQUIRED_FLAGS -fsanitize=fuzzer)
  check_cxx_source_compiles(
    "#include <cstddef>\n#include <cstdint>\nextern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }"
    ZK_COMPILER_HAS_LIBFUZZER)
  unset(CMAKE_REQUIRED_FLAGS)
  if(ZK_COMPILER_HAS_LIBFUZZER)
    set(ZK_HAVE_LIBFUZZER ON)
    if(NOT ZK_SANITIZE)
      set(ZK_SANITIZE address,undefined)
    endif()
  else()
    message(WARNING "ZK_FUZZ: ${CMAKE_CXX_COMPILER_ID} does not support -fsanitize=fuzzer; no fuzz targets")
  endif()
endif()

if(ZK_SANITIZE)
  string(REPLACE "," ";" _zk_sans "${ZK_SANITIZE}")
  foreach(_san IN LISTS _zk_sans)
    add_compile_options(-fsanitize=${_san})
    add_link_options(-fsanitize=${_san})
  endforeach()
  add_compile_options(-fno-omit-frame-pointer -fno-sanitize-recover=undefined)
endif()

# Line tables are all the debug information sanitizer reports, backtraces
# and profiles need to name files and lines, and compiling with them alone
# takes about a third less time. The test script builds this way.
if(ZK_LINE_TABLES_ONLY)
  add_compile_options($<$<CONFIG:RelWithDebInfo,Debug>:-g1>)
endif()

function(zk_add_subdirectory_if_present dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()

# zk_add_library(<name> [STATIC] SOURCES ... PUBLIC_DEPS ... PRIVATE_DEPS ...)
# Creates a shared library with hidden visibility and a generated export
# header <name>/<name>_export.h defining <NAME>_EXPORT.
function(zk_add_library name)
  cmake_parse_arguments(ARG "STATIC;INTERFACE" "" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  if(ARG_STATIC)
    add_library(${name} STATIC ${ARG_SOURCES})
  else()
    add_library(${name} SHARED ${ARG_SOURCES})
  endif()
  string(TOUPPER ${name} upper)
  generate_export_header(${name}
    BASE_NAME ${upper}
    EXPORT_FILE_NAME ${CMAKE_BINARY_DIR}/include/${name}/${name}_export.h)
  if(ARG_STATIC)
    target_compile_definitions(${name} PUBLIC ${upper}_STATIC_DEFINE)
  endif()
  # Installed headers all sit in <prefix>/include.
  target_include_directories(${name}
    PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
           $<BUILD_INTERFACE:${CMAKE_BINARY_DIR}/include> $<INSTALL_INTERFACE:include>
    PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${ZK_WARNINGS})
  if(ZK_HAVE_LIBFUZZER)
    # Coverage feedback for the fuzzers from inside the libraries.
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# zk_add_test(<name> SOURCES ... LIBS ...)
# A GoogleTest binary whose cases are registered one by one with CTest.
function(zk_add_test name)
  if(NOT ZK_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${ZK_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  if(TARGET zk_test_watchdog)
    target_link_libraries(${name} PRIVATE zk_test_watchdog)
  endif()
  gtest_discover_tests(${name}
    TEST_PREFIX "${name}/"
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120 ENVIRONMENT "ZK_RESOURCE_DIR=${CMAKE_SOURCE_DIR}/resources" ${ARG_PROPERTIES})
endfunction()

# zk_add_test_support(<name> SOURCES ... LIBS ... INCLUDES ... DEFINITIONS ...)
# Helper code that several test binaries share, compiled once: the binaries
# link <name> and get all of its objects (none dropped, as an archive would)
# and its LIBS.
function(zk_add_test_support name)
  if(NOT ZK_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;INCLUDES;DEFINITIONS" ${ARGN})
  add_library(${name} OBJECT ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${ZK_WARNINGS})
  target_include_directories(${name} PRIVATE ${ARG_INCLUDES})
  target_compile_definitions(${name} PRIVATE ${ARG_DEFINITIONS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} GTest::gtest GTest::gmock Threads::Threads)
endfunction()

# zk_add_benchmark(<name> SOURCES ... LIBS ...)
function(zk_add_benchmark name)
  if(NOT ZK_BUILD_BENCH)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${ZK_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark Threads::Threads)
endfunction()

# zk_folder_library(<name> FOLDERS <dir>... PUBLIC_DEPS ... PRIVATE_DEPS ... TEST_LIBS ...)
# The usual library: the sources are <dir>/src/*.cpp of each folder, the
# exported headers <dir>/include/<name>/, and every <dir>/tests/*Test.cpp is a
# test binary of its own (linked with the helpers <dir>/tests/common/*.cpp,
# built once as <name>_testsupport or <name>_<dir>_testsupport, when present),
# so a broken test file never stops the others from building.
function(zk_folder_library name)
  cmake_parse_arguments(ARG "" "" "FOLDERS;PUBLIC_DEPS;PRIVATE_DEPS;TEST_LIBS" ${ARGN})
  if(NOT ARG_FOLDERS)
    set(ARG_FOLDERS .)
  endif()
  set(srcs)
  set(incs)
  set(privs)
  foreach(dir IN LISTS ARG_FOLDERS)
    file(GLOB s CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/src/*.cpp)
    list(APPEND srcs ${s})
    list(APPEND incs ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/include)
    list(APPEND privs ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/src)
  endforeach()
  zk_add_library(${name} SOURCES ${srcs} PUBLIC_DEPS ${ARG_PUBLIC_DEPS} PRIVATE_DEPS ${ARG_PRIVATE_DEPS})
  foreach(inc IN LISTS incs)
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${inc}>)
  endforeach()
  target_include_directories(${name} PRIVATE ${privs})
  foreach(dir IN LISTS ARG_FOLDERS)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/tests/*Test.cpp)
    file(GLOB common CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/tests/common/*.cpp)
    set(includes ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/tests ${privs})
    set(support)
    if(common)
      if(dir STREQUAL ".")
        set(support ${name}_testsupport)
      else()
        set(support ${name}_${dir}_testsupport)
      endif()
      zk_add_test_support(${support} SOURCES ${common} INCLUDES ${includes} LIBS ${name} ${ARG_TEST_LIBS})
    endif()
    foreach(t IN LISTS tests)
      get_filename_component(n ${t} NAME_WE)
      zk_add_test(${name}_${n} SOURCES ${t} LIBS ${name} ${support} ${ARG_TEST_LIBS})
      if(TARGET ${name}_${n})
        target_include_directories(${name}_${n} PRIVATE ${includes})
      endif()
    endforeach()
  endforeach()
endfunction()

# zk_add_fuzz_target(<name> SOURCES ... LIBS ...)
# A libFuzzer binary; its seed corpus is fuzz/corpus/<name>/ and its
# dictionary, when there is one, fuzz/<name>.dict.
function(zk_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${ZK_WARNINGS} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  # The test suite replays the corpus, so a fixed finding stays fixed.
  if(ZK_BUILD_TESTS AND EXISTS ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    add_test(NAME fuzz_corpus/${name} COMMAND ${name} -runs=0 ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    set_tests_properties(fuzz_corpus/${name} PROPERTIES TIMEOUT 120
      ENVIRONMENT "ZK_RESOURCE_DIR=${CMAKE_SOURCE_DIR}/resources")
  endif()
endfunction()
