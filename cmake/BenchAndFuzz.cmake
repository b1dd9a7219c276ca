# Native-only extras: the store benchmark (Google Benchmark) and, with clang
# and QUORVEL_FUZZ=ON, the libFuzzer targets. Included from the top-level
# CMakeLists.txt after the layer libraries exist.

option(QUORVEL_FUZZ "Build the libFuzzer targets (clang only)" OFF)

set(BENCH_SUPPORT_SOURCES
  ${CMAKE_SOURCE_DIR}/tests/support/fake_platform.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/fake_zone.cpp)

# The store and tick benchmarks, measured in a Release tree without
# sanitizers (scripts/bench.sh).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB STORE_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
  add_executable(quorvel_bench ${STORE_BENCH_SOURCES} ${BENCH_SUPPORT_SOURCES})
  target_include_directories(quorvel_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(quorvel_bench PRIVATE quorvel_app benchmark::benchmark)
  quorvel_warnings(quorvel_bench)
else()
  message(STATUS "Google Benchmark not found: quorvel_bench is not built (apt-get install libbenchmark-dev)")
endif()

if(QUORVEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUORVEL_FUZZ needs clang (CXX=clang++)")
  endif()
  # The core is instrumented for coverage so that the fuzzer sees its paths.
  foreach(layer quorvel_platform quorvel_model quorvel_scheduler quorvel_ui quorvel_app)
    target_compile_options(${layer} PRIVATE -fsanitize=fuzzer-no-link)
  endforeach()
  set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  set(FUZZ_TARGETS)
  foreach(src ${FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${BENCH_SUPPORT_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_compile_options(${name} PRIVATE ${FUZZ_FLAGS})
    target_link_options(${name} PRIVATE ${FUZZ_FLAGS})
    target_link_libraries(${name} PRIVATE quorvel_app)
    quorvel_warnings(${name})
    list(APPEND FUZZ_TARGETS ${name})
  endforeach()
  add_custom_target(fuzz_targets DEPENDS ${FUZZ_TARGETS})
endif()
