# The two Windows programs and the in-Wine test tools, cross-compiled with mingw-w64.

# ---- libpng, built from Debian's source package, and zlib from libz-mingw-w64-dev ----
set(QP_LIBPNG_DIR "${CMAKE_SOURCE_DIR}/build/_deps/libpng" CACHE PATH "libpng source folder")
if(NOT EXISTS "${QP_LIBPNG_DIR}/png.c")
  execute_process(COMMAND bash "${CMAKE_SOURCE_DIR}/tools/fetch_libpng.sh" "${QP_LIBPNG_DIR}"
                  RESULT_VARIABLE fetch_result)
  if(NOT fetch_result EQUAL 0)
    message(FATAL_ERROR "libpng source missing; run tools/setup.sh, then tools/fetch_libpng.sh")
  endif()
endif()
# zlib goes into the programs themselves: Windows has no zlib1.dll. A build folder configured
# before this asked for the import library; look again there.
set(ZLIB_USE_STATIC_LIBS ON)
if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
  unset(ZLIB_LIBRARY_RELEASE CACHE)
endif()
find_package(ZLIB REQUIRED)
configure_file("${QP_LIBPNG_DIR}/scripts/pnglibconf.h.prebuilt" "${CMAKE_BINARY_DIR}/libpng/pnglibconf.h" COPYONLY)
set(QP_PNG_FILES png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset
                 pngtrans pngwio pngwrite pngwtran pngwutil)
list(TRANSFORM QP_PNG_FILES PREPEND "${QP_LIBPNG_DIR}/")
list(TRANSFORM QP_PNG_FILES APPEND ".c")
add_library(png_static STATIC ${QP_PNG_FILES})
target_include_directories(png_static SYSTEM PUBLIC "${QP_LIBPNG_DIR}" "${CMAKE_BINARY_DIR}/libpng")
target_compile_definitions(png_static PRIVATE PNG_INTEL_SSE_OPT=0 PNG_ARM_NEON_OPT=0)
target_link_libraries(png_static PUBLIC ZLIB::ZLIB)
target_link_libraries(quillpad_core PUBLIC png_static)

# ---- common flags of every Windows program --------------------------------------------
add_library(qp_win_flags INTERFACE)
target_compile_definitions(qp_win_flags INTERFACE UNICODE _UNICODE NOMINMAX WINVER=0x0601 _WIN32_WINNT=0x0601)
# Each program runs alone on a clean Windows: no libgcc/libstdc++/winpthread DLLs.
# Unused functions and data are left out of the programs, and the core is compiled at -O2: the
# 32-bit Pro program with the character table and the scaled pictures stays under 1.5 MB.
target_compile_options(qp_win_flags INTERFACE -ffunction-sections -fdata-sections)
target_compile_options(quillpad_core PRIVATE -ffunction-sections -fdata-sections -O2)
target_link_options(qp_win_flags INTERFACE -static -static-libgcc -static-libstdc++ -municode -s -Wl,--gc-sections)

if(QUILLPAD_EDITION STREQUAL "PRO")
  set(QP_EXE_NAME quillpadpro)
  set(QP_PRODUCT_NAME "Quillpad Pro")
  set(QP_EDITION_PRO 1)
else()
  set(QP_EXE_NAME quillpad)
  set(QP_PRODUCT_NAME "Quillpad")
  set(QP_EDITION_PRO 0)
endif()
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QP_BUILD_WORD x64)
else()
  set(QP_BUILD_WORD x86)
endif()
string(REPLACE "." "," QP_VERSION_COMMAS "${QUILLPAD_VERSION}")

configure_file(${CMAKE_SOURCE_DIR}/resources/quillpad.rc.in ${CMAKE_BINARY_DIR}/quillpad.rc @ONLY)
# The font is the largest resource: stored packed with zlib (already linked for libpng), it keeps
# the programs well under their size limit; unpacking it at start takes about a millisecond.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/TarselSans-Bold.ttf.z
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/pack_resource.py
          ${CMAKE_SOURCE_DIR}/resources/TarselSans-Bold.ttf ${CMAKE_BINARY_DIR}/TarselSans-Bold.ttf.z
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/TarselSans-Bold.ttf ${CMAKE_SOURCE_DIR}/tools/pack_resource.py)
set_source_files_properties(${CMAKE_BINARY_DIR}/quillpad.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/TarselSans-Bold.ttf.z)
file(GLOB QP_WIN_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/platform/*.cpp ${CMAKE_SOURCE_DIR}/src/*/*_win.cpp)
add_executable(quillpad WIN32 ${QP_WIN_SOURCES} ${CMAKE_BINARY_DIR}/quillpad.rc)
# The Find window's code draws and answers messages: compiled for size, it keeps the programs
# under their size limit with the character table inside.
file(GLOB QP_FIND_WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/find_*_win.cpp)
set_source_files_properties(${QP_FIND_WIN_SOURCES} PROPERTIES COMPILE_OPTIONS -Os)
set_target_properties(quillpad PROPERTIES OUTPUT_NAME ${QP_EXE_NAME})
target_include_directories(quillpad PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/resources)
target_compile_definitions(quillpad PRIVATE QP_EDITION_PRO=${QP_EDITION_PRO})
target_link_libraries(quillpad PRIVATE quillpad_core png_static ZLIB::ZLIB qp_win_flags qp_warnings
  user32 gdi32 comctl32 shell32 ole32 oleaut32 oleacc uuid usp10 msimg32 shlwapi ntdll advapi32)
set_property(TARGET quillpad APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/resources/quillpad.manifest)

# ---- in-Wine test tools: the driver and the target program ---------------------------
file(GLOB QP_DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
# The driver reads integrity levels with the program's own code.
add_executable(qpdriver ${QP_DRIVER_SOURCES} ${CMAKE_SOURCE_DIR}/src/platform/integrity_win.cpp)
target_link_libraries(qpdriver PRIVATE quillpad_core qp_win_flags qp_warnings user32 gdi32 ole32 oleaut32 oleacc uuid shell32 psapi advapi32)
file(GLOB QP_TARGET_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/target/*.cpp)
add_executable(qptarget WIN32 ${QP_TARGET_SOURCES})
target_link_libraries(qptarget PRIVATE qp_win_flags qp_warnings user32 gdi32 shell32)

# ---- benchmark programs (tools/bench.sh): the yardstick window and the in-Wine timer ----
# The baseline gets exactly the programs' flags, so that sizes and start-up compare fairly.
add_executable(qpbaseline WIN32 ${CMAKE_SOURCE_DIR}/tests/bench/win/baseline_win.cpp)
target_link_libraries(qpbaseline PRIVATE qp_win_flags qp_warnings user32 gdi32)
add_executable(qpbench ${CMAKE_SOURCE_DIR}/tests/bench/win/bench_driver_win.cpp
                       ${CMAKE_SOURCE_DIR}/tests/bench/win/find_bench_win.cpp)
target_link_libraries(qpbench PRIVATE quillpad_core qp_win_flags qp_warnings user32 gdi32)
