# Fails when a library of the program links or includes one it must not: the
# libraries depend one way, engine <- {core, platform} <- datafile <- framework <-
# {window, settings} <- app <- orrin, cli between datafile and orrin-calc, the
# Win32 front end win32 over core and datafile, and
# res/ (data only) depends on none of them. A cycle always contains such an
# edge. Each folder is its library; a `#include "folder/..."` in it is an edge
# as much as a link is, header-only or not.
# Run with cmake -P, given SOURCE_DIR, WORK_DIR and OPTIONS (a |-list of -D
# options for configuring the tree whose graph is checked).

cmake_minimum_required(VERSION 3.25)

set(allowed_orrin_engine "")
set(allowed_orrin_res "")
set(allowed_orrin_platform "")
set(allowed_orrin_core orrin_engine)
set(allowed_orrin_datafile orrin_platform orrin_engine)
set(allowed_orrin_framework orrin_datafile orrin_platform orrin_engine)
set(allowed_orrin_window orrin_core orrin_framework orrin_datafile orrin_platform orrin_engine orrin_res)
set(allowed_orrin_settings orrin_core orrin_framework orrin_datafile orrin_platform orrin_engine orrin_res)
set(allowed_orrin_cli orrin_datafile orrin_platform orrin_engine)
set(allowed_orrin_app orrin_window orrin_settings orrin_core orrin_framework orrin_datafile orrin_platform
    orrin_engine orrin_res)
set(allowed_orrin_win32 orrin_core orrin_datafile orrin_platform orrin_engine orrin_res)
# The program: the Qt front end's application on Linux, the Win32 front end on Windows.
set(allowed_orrin orrin_app orrin_win32)
set(allowed_orrin-calc orrin_cli orrin_platform)
set(layers orrin_engine orrin_core orrin_res orrin_platform orrin_datafile orrin_framework orrin_window
    orrin_settings orrin_cli orrin_app orrin_win32 orrin orrin-calc)
# The generated version header belongs to the application.
set(folder_of_orrin app)

string(REPLACE "|" ";" options "${OPTIONS}")
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK_DIR}" ${options}
            "--graphviz=${WORK_DIR}/graph/orrin.dot"
    RESULT_VARIABLE configured OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT configured EQUAL 0)
    message(FATAL_ERROR "configuring for the graph failed:\n${errors}")
endif()

file(STRINGS "${WORK_DIR}/graph/orrin.dot" edges REGEX "// [^ ]+ -> [^ ]+$")
set(faults "")
set(seen "")
foreach(edge IN LISTS edges)
    string(REGEX MATCH "// ([^ ]+) -> ([^ ]+)$" _ "${edge}")
    set(from "${CMAKE_MATCH_1}")
    set(to "${CMAKE_MATCH_2}")
    if(NOT from IN_LIST layers)
        continue()  # tests, benchmarks and generated helpers may link anything
    endif()
    list(APPEND seen ${from})
    if(NOT to MATCHES "^orrin" OR to STREQUAL "orrin_warnings" OR to MATCHES "^${from}_")
        continue()  # Qt, the system, the shared warning flags, its own generated parts
    endif()
    if(NOT to IN_LIST layers)
        list(APPEND faults "${from} links ${to}, which has no place among the layers")
    elseif(NOT to IN_LIST allowed_${from})
        list(APPEND faults "${from} links ${to}, against the direction of the layers")
    endif()
endforeach()
if(NOT seen)
    message(FATAL_ERROR "the graph names none of the program's libraries")
endif()

# Includes: every source of a layer's folder, against the same table.
foreach(layer IN LISTS layers)
    string(REGEX REPLACE "^orrin_" "" folder "${layer}")
    if(folder STREQUAL layer)
        continue()  # the programs: their sources lie in app/ and cli/
    endif()
    file(GLOB sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^/\"]+/")
        foreach(include IN LISTS includes)
            string(REGEX MATCH "\"([^/\"]+)/" _ "${include}")
            set(target_folder "${CMAKE_MATCH_1}")
            if(DEFINED folder_of_${target_folder})
                set(target_folder "${folder_of_${target_folder}}")
            endif()
            if(target_folder STREQUAL folder)
                continue()
            endif()
            file(RELATIVE_PATH where "${SOURCE_DIR}" "${source}")
            if(NOT orrin_${target_folder} IN_LIST layers)
                list(APPEND faults "${where} includes ${target_folder}/, which has no place among the layers")
            elseif(NOT orrin_${target_folder} IN_LIST allowed_${layer})
                list(APPEND faults "${where} includes ${target_folder}/, against the direction of the layers")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "library graph:\n  ${text}")
endif()
