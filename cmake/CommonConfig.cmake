# One interface target carries the language level, warnings and sanitizer flags for every target.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

add_library(mitoran_build_config INTERFACE)
target_compile_features(mitoran_build_config INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

if(MSVC)
    target_compile_options(mitoran_build_config INTERFACE /W4 /utf-8 /permissive-)
    if(MITORAN_WERROR)
        target_compile_options(mitoran_build_config INTERFACE /WX)
    endif()
else()
    target_compile_options(mitoran_build_config INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
    if(MITORAN_WERROR)
        target_compile_options(mitoran_build_config INTERFACE -Werror)
    endif()
    if(MITORAN_SANITIZE)
        target_compile_options(mitoran_build_config INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                              -fno-sanitize-recover=all)
        target_link_options(mitoran_build_config INTERFACE -fsanitize=address,undefined)
    endif()
    # The code under test carries libFuzzer's coverage hooks; only the harnesses link its main (fuzz/).
    if(MITORAN_FUZZ)
        if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
            message(FATAL_ERROR "MITORAN_FUZZ needs clang (CXX=clang++)")
        endif()
        target_compile_options(mitoran_build_config INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                              -fno-omit-frame-pointer -fno-sanitize-recover=all)
        target_link_options(mitoran_build_config INTERFACE -fsanitize=address,undefined)
    endif()
endif()

# Qt safety macros apply only to targets that link Qt (the engine never does).
add_library(mitoran_qt_config INTERFACE)
target_link_libraries(mitoran_qt_config INTERFACE mitoran_build_config)
target_compile_definitions(mitoran_qt_config INTERFACE QT_NO_CAST_FROM_ASCII
                                                       QT_NO_CONTEXTLESS_CONNECT)

# Fails the configure step when the engine library is given any Qt target.
function(mitoran_assert_no_qt target)
    get_target_property(libs ${target} LINK_LIBRARIES)
    foreach(lib IN LISTS libs)
        if(lib MATCHES "Qt")
            message(FATAL_ERROR "${target} must not link Qt (found ${lib})")
        endif()
    endforeach()
endfunction()

# A static Qt links only its default platform plugin into a program. On Windows the programs and the window
# tests take the offscreen one too: the tests run on it, and a program can run without a desktop.
function(mitoran_link_offscreen_platform target)
    if(NOT WIN32 OR NOT TARGET Qt6::Core)
        return()
    endif()
    get_target_property(type Qt6::Core TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
        qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    endif()
endfunction()
