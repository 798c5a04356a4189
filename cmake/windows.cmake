# The Windows program: toolkit, the program's units, the dialog library and
# the tests that run under Wine.
enable_language(RC)

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600)
# One self-contained .exe / .dll each: no MinGW runtime DLLs to ship.
set(QL_STATIC -static -static-libgcc -static-libstdc++)
set(QL_SYSLIBS comctl32 comdlg32 shell32 advapi32 ole32 winmm winspool gdi32 user32)

file(GLOB QL_TOOLKIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/toolkit/*.cpp)
add_library(qltoolkit STATIC ${QL_TOOLKIT_SOURCES})
target_include_directories(qltoolkit PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(qltoolkit PUBLIC qlcore ${QL_SYSLIBS})
target_compile_options(qltoolkit PRIVATE ${QL_WARNINGS})

# The program's units, everything but the entry point, so that the tests
# can link the very same code.
file(GLOB QL_APP_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/*.cpp
  ${CMAKE_SOURCE_DIR}/src/textops/*.cpp
  ${CMAKE_SOURCE_DIR}/src/tb97/*.cpp
  ${CMAKE_SOURCE_DIR}/src/surface/*.cpp
  ${CMAKE_SOURCE_DIR}/src/menus98/*.cpp)
list(REMOVE_ITEM QL_APP_SOURCES ${CMAKE_SOURCE_DIR}/src/app.cpp)
add_library(qlapp STATIC ${QL_APP_SOURCES})
target_include_directories(qlapp PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(qlapp PUBLIC qltoolkit)
target_compile_options(qlapp PRIVATE ${QL_WARNINGS})

set(QL_RESOURCES ${CMAKE_SOURCE_DIR}/resources/quillon.rc)
add_executable(Quillon WIN32 ${CMAKE_SOURCE_DIR}/src/app.cpp ${QL_RESOURCES})
target_link_libraries(Quillon PRIVATE qlapp)
target_compile_options(Quillon PRIVATE ${QL_WARNINGS})
target_link_options(Quillon PRIVATE ${QL_STATIC})

# The dialog library, with its ordinals fixed by the .def file.
add_library(QuillonL SHARED
  ${CMAKE_SOURCE_DIR}/dialogs/QuillonL.cpp
  ${CMAKE_SOURCE_DIR}/dialogs/QuillonL.rc
  ${CMAKE_SOURCE_DIR}/dialogs/QuillonL.def)
set_target_properties(QuillonL PROPERTIES PREFIX "" OUTPUT_NAME QuillonL)
target_include_directories(QuillonL PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/dialogs)
target_link_libraries(QuillonL PRIVATE qlcore ${QL_SYSLIBS})
target_compile_options(QuillonL PRIVATE ${QL_WARNINGS})
target_link_options(QuillonL PRIVATE ${QL_STATIC} -Wl,--enable-stdcall-fixup)

option(QL_WIN_TESTS "Build the tests that run under Wine" ON)
if(QL_WIN_TESTS)
  # GoogleTest from Debian's source package, built with our cross compiler.
  set(QL_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QL_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  file(GLOB QL_WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
  add_executable(quillon_win_tests ${QL_WIN_TEST_SOURCES} ${QL_RESOURCES})
  target_link_libraries(quillon_win_tests PRIVATE qlapp gtest)
  target_compile_options(quillon_win_tests PRIVATE ${QL_WARNINGS})
  target_link_options(quillon_win_tests PRIVATE ${QL_STATIC})
  add_dependencies(quillon_win_tests QuillonL Quillon)

  file(GLOB QL_E2E_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
  add_executable(quillon_e2e_tests ${QL_E2E_TEST_SOURCES})
  target_link_libraries(quillon_e2e_tests PRIVATE gtest gtest_main qlcore ${QL_SYSLIBS})
  target_compile_options(quillon_e2e_tests PRIVATE ${QL_WARNINGS})
  target_link_options(quillon_e2e_tests PRIVATE ${QL_STATIC})
  add_dependencies(quillon_e2e_tests QuillonL Quillon)
endif()

# Benchmarks that run under Wine; built on request (bench/*.sh).
add_executable(wine_textops_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/wine_textops.cpp ${QL_RESOURCES})
target_link_libraries(wine_textops_bench PRIVATE qlapp)
target_compile_options(wine_textops_bench PRIVATE ${QL_WARNINGS})
target_link_options(wine_textops_bench PRIVATE ${QL_STATIC})
