# The program, and under the 64-bit cross build its Win32 and end-to-end tests.
enable_language(RC)

# Declarations up to Windows 10; what is newer than the oldest Windows the program runs on
# is looked up at run time, so that the program imports nothing those systems lack.
target_compile_definitions(pellomar_flags INTERFACE
  WIN32_LEAN_AND_MEAN NOMINMAX WINVER=0x0A00 _WIN32_WINNT=0x0A00)
if(MINGW)
  # One self-contained executable: no runtime DLLs beside it.
  target_link_options(pellomar_flags INTERFACE -static)
  target_compile_options(pellomar_flags INTERFACE -ffunction-sections -fdata-sections)
  target_link_options(pellomar_flags INTERFACE -Wl,--gc-sections)
  # The same bytes from the same sources, wherever and whenever they are built.
  target_compile_options(pellomar_flags INTERFACE -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
  target_link_options(pellomar_flags INTERFACE -Wl,--no-insert-timestamp)
  # Loaded at a random address (on 64-bit Windows from the whole address space), data
  # never executed, and no compatibility shims under Terminal Services.
  target_link_options(pellomar_flags INTERFACE -Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    target_link_options(pellomar_flags INTERFACE -Wl,--high-entropy-va)
  endif()
endif()

add_library(pellomar_win STATIC
  about/about_win.cpp
  app/bar_scale_win.cpp
  app/main_window_win.cpp
  app/result_list_win.cpp
  app/running_copy_win.cpp
  app/startup_win.cpp
  app/tray_win.cpp
  app/user_files_win.cpp
  base/app_state_win.cpp
  base/code_page_win.cpp
  base/common_dialogs_win.cpp
  base/data_folder_win.cpp
  base/dpi_win.cpp
  base/exe_folder_win.cpp
  base/file_io_win.cpp
  base/folder_entries_win.cpp
  base/high_contrast_win.cpp
  base/irreversible_calls_win.cpp
  base/other_bars_win.cpp
  base/shell_launch_win.cpp
  base/skin_win.cpp
  base/system_library_win.cpp
  base/themed_dialog_win.cpp
  catalog/catalog_packaged_win.cpp
  catalog/catalog_scan_win.cpp
  catalog/catalog_worker_win.cpp
  catalog/program_catalog_win.cpp
  catalog/shell_objects_win.cpp
  command/command_edit_win.cpp
  command/command_results_win.cpp
  command/folder_listing_win.cpp
  command/command_sources_win.cpp
  command/history_file_win.cpp
  countdown/countdown_win.cpp
  countdown/shutdown_win.cpp
  keys/edit_user_keys_dialog_win.cpp
  keys/key_export_win.cpp
  keys/key_file_win.cpp
  settings/hot_key_win.cpp
  settings/options_dialog_win.cpp
  settings/run_at_startup_win.cpp
  settings/settings_file_win.cpp
)
target_link_libraries(pellomar_win PUBLIC pellomar_core user32 gdi32 advapi32)

set(PELLOMAR_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/resources/pellomar.rc)
add_executable(pellomar WIN32 app/winmain_win.cpp app/lean_runtime.cpp ${PELLOMAR_RESOURCE_SCRIPT})
target_link_libraries(pellomar PRIVATE pellomar_win)
if(MSVC)
  # The resources carry the program's manifest; the linker must not add another.
  target_link_options(pellomar PRIVATE /MANIFEST:NO /Brepro)
endif()
if(MINGW)
  target_link_options(pellomar PRIVATE -s)
  # GCC's library keeps std::string's code, compiled with exceptions, in one object file
  # that a static link takes whole, unwinder included, for C++17 and earlier; as C++20
  # the program instantiates only what it calls. Without exceptions (lean_runtime.cpp
  # ends the program where the library would throw) and with one thread, the program
  # needs no unwinder and no guarded statics. The code itself stays C++17, as the native
  # and MSVC builds check. Each object file instantiates the library code it calls and the
  # linker keeps one copy of each function, but not of the private variants GCC derives
  # from them (IPA-SRA's ".isra" clones, the unified constructors of -Os): those would be
  # carried again by every object file.
  set_target_properties(pellomar_core pellomar_win pellomar PROPERTIES CXX_STANDARD 20)
  foreach(target pellomar_core pellomar_win pellomar)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-threadsafe-statics -fno-ipa-sra
                                             -fno-declone-ctor-dtor)
  endforeach()
  # The release program is optimized for size across its files as one, with every function
  # that no caller reaches left out: nothing it does is bound by the processor's speed, and
  # it loads and starts the faster for being small.
  if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
    set_target_properties(pellomar_core pellomar_win pellomar PROPERTIES INTERPROCEDURAL_OPTIMIZATION ON)
    foreach(target pellomar_core pellomar_win pellomar)
      target_compile_options(${target} PRIVATE -Oz -fno-jump-tables -fmerge-all-constants)
    endforeach()
  endif()
  # On 32-bit Windows the unwind tables serve only C++ exceptions (the system's own
  # exceptions walk a chain on the stack), so the release program has no use for them.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    foreach(target pellomar_core pellomar_win pellomar)
      target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
    endforeach()
  endif()
endif()

# What the program needs beside it.
configure_file(resources/sk_default.bmp ${CMAKE_BINARY_DIR}/sk_default.bmp COPYONLY)

# The help file, compiled from its pages once their links are checked. Where the help
# compiler (chmcmd, of Free Pascal) or Python is missing, the program builds without it.
find_package(Python3 COMPONENTS Interpreter)
find_program(PELLOMAR_CHMCMD chmcmd)
if(Python3_Interpreter_FOUND AND PELLOMAR_CHMCMD)
  file(GLOB PELLOMAR_HELP_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/about/help/*)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/pellomarhelp.chm
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/build_help.py ${CMAKE_SOURCE_DIR}/about/help
            ${PELLOMAR_CHMCMD}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS ${PELLOMAR_HELP_PAGES} ${CMAKE_SOURCE_DIR}/tools/build_help.py ${CMAKE_SOURCE_DIR}/README.md
            ${CMAKE_SOURCE_DIR}/command/builtin_keywords.cpp
    COMMENT "Checking and compiling the help file")
  add_custom_target(pellomar_help ALL DEPENDS ${CMAKE_BINARY_DIR}/pellomarhelp.chm)
else()
  message(STATUS "chmcmd or Python not found: pellomarhelp.chm is not built")
endif()

if(PELLOMAR_TESTS)
  add_subdirectory(tests/win32)
  add_subdirectory(tests/e2e)
  add_subdirectory(tests/release)
endif()

# Benchmarks run on the 64-bit build, like the tests.
if(PELLOMAR_TESTS)
  add_subdirectory(bench)
endif()

# The resource script takes these in whole; a change to one of them must rebuild it,
# for every program that carries the resources.
set(PELLOMAR_RESOURCE_USERS ${CMAKE_SOURCE_DIR})
if(PELLOMAR_TESTS)
  list(APPEND PELLOMAR_RESOURCE_USERS ${CMAKE_SOURCE_DIR}/tests/win32 ${CMAKE_SOURCE_DIR}/bench)
endif()
set_source_files_properties(${PELLOMAR_RESOURCE_SCRIPT} DIRECTORY ${PELLOMAR_RESOURCE_USERS} PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/pellomar.manifest;${CMAKE_SOURCE_DIR}/resources/common-controls.manifest;${CMAKE_SOURCE_DIR}/resources/pellomar.ico")
