# Fails when a source file includes a file of a layer above its own, or of a sibling feature.
# Usage: cmake -DROOT=<folder holding engine/, platform/, gui/, app/> -P CheckLayers.cmake
#
# Ranks, lowest first: inside the engine text ← calendar ← settings ← month ← leave, totals, limits ← print ←
# session; then engine ← platform ← gui (common ← features ← main) ← app. Features of one rank may not include
# each other; a unit may always include its own folder.
set(MITORAN_LAYER_RANKS
    engine/text 1 engine/calendar 2 engine/settings 3 engine/month 4 engine/leave 5 engine/totals 5
    engine/limits 5 engine/print 6 engine/session 7 platform 8 gui/common 9 gui/help 10 gui/settings 10
    gui/leave 10 gui/pay 10 gui/totals 10 gui/tray 10 gui/limits 10 gui/main 11 app 12)

function(layer_of path out_unit out_rank)
    set(unit "")
    set(rank -1)
    list(LENGTH MITORAN_LAYER_RANKS count)
    math(EXPR last "${count} - 1")
    foreach(i RANGE 0 ${last} 2)
        list(GET MITORAN_LAYER_RANKS ${i} candidate)
        math(EXPR j "${i} + 1")
        if(path MATCHES "^${candidate}/")
            set(unit ${candidate})
            list(GET MITORAN_LAYER_RANKS ${j} rank)
        endif()
    endforeach()
    set(${out_unit} "${unit}" PARENT_SCOPE)
    set(${out_rank} "${rank}" PARENT_SCOPE)
endfunction()

get_filename_component(ROOT "${ROOT}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/*.h" "${ROOT}/*.cpp")
set(back_edges "")
foreach(source IN LISTS sources)
    layer_of("${source}" unit rank)
    if(rank EQUAL -1)
        continue()
    endif()
    file(STRINGS "${ROOT}/${source}" includes REGEX "^#include \"[^\"]+\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
        layer_of("${target}" target_unit target_rank)
        if(target_rank EQUAL -1 OR target_unit STREQUAL unit)
            continue()
        endif()
        if(NOT target_rank LESS rank)
            string(APPEND back_edges "  ${source} includes ${target}\n")
        endif()
    endforeach()
endforeach()

if(back_edges)
    message(FATAL_ERROR "Includes that point up or sideways between layers:\n${back_edges}")
endif()
message(STATUS "Every include points down the layers (${ROOT})")
