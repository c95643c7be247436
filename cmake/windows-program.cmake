# QuillmereCheck.exe: a small, self-contained Windows GUI program.
enable_language(RC)

add_executable(QuillmereCheck WIN32 ${PRODUCT_SOURCES} resources/QuillmereCheck.rc)
target_include_directories(QuillmereCheck PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
target_compile_options(QuillmereCheck PRIVATE
  $<$<COMPILE_LANGUAGE:CXX>:-Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections -fno-ident -malign-data=abi -Wall -Wextra -Werror
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build>)
target_link_options(QuillmereCheck PRIVATE
  -static -static-libgcc -static-libstdc++ -s
  -Wl,--gc-sections
  -Wl,--dynamicbase -Wl,--nxcompat
  -Wl,--no-insert-timestamp)
target_link_libraries(QuillmereCheck PRIVATE advapi32 user32)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The 32-bit program declares the oldest subsystem version Windows knows.
  target_link_options(QuillmereCheck PRIVATE
    -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0)
endif()

option(QUILLMERE_WINE_TESTS "Build the end-to-end tests that run under Wine" OFF)
if(QUILLMERE_WINE_TESTS)
  enable_testing()
  add_subdirectory(tests/wine)
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Checks of the shipped bytes themselves.
  enable_testing()
  set(PYTHON /usr/bin/python3)  # Debian's, which has python3-pefile
  add_test(NAME binary.check
    COMMAND ${PYTHON} ${PROJECT_SOURCE_DIR}/tests/binary/check_executable.py $<TARGET_FILE:QuillmereCheck>)
  add_test(NAME binary.check_catches_damage
    COMMAND ${PYTHON} ${PROJECT_SOURCE_DIR}/tests/binary/check_executable_test.py
            $<TARGET_FILE:QuillmereCheck>)
  add_test(NAME binary.reproducible COMMAND bash ${PROJECT_SOURCE_DIR}/tools/reproduce.sh)
  # The icon in the repository is exactly what its script draws.
  add_test(NAME binary.icon_from_script
    COMMAND sh -c "${PYTHON} '${PROJECT_SOURCE_DIR}/resources/make_icon.py' '${CMAKE_BINARY_DIR}/icon-check.ico' && cmp '${CMAKE_BINARY_DIR}/icon-check.ico' '${PROJECT_SOURCE_DIR}/resources/QuillmereCheck.ico'")
  set_tests_properties(binary.reproducible PROPERTIES TIMEOUT 600)
endif()
