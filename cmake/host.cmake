# The product built natively against the stand-in platform, with its tests.
enable_testing()

add_compile_options(-Wall -Wextra -Werror)

add_library(quillmere_standin STATIC platform/standin/standin.cpp)
target_include_directories(quillmere_standin PUBLIC ${PROJECT_SOURCE_DIR})

add_library(quillmere_product STATIC ${PRODUCT_SOURCES})
target_include_directories(quillmere_product PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(quillmere_product PRIVATE -fno-exceptions -fno-rtti)
target_link_libraries(quillmere_product PUBLIC quillmere_standin)

option(QUILLMERE_HOST_TESTS "Build the GoogleTest host tests" ON)
option(QUILLMERE_FUZZ "Build the libFuzzer target (needs clang)" OFF)

if(QUILLMERE_HOST_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_subdirectory(tests/host)
endif()
if(QUILLMERE_FUZZ)
  add_subdirectory(tests/fuzz)
endif()
