# Fails when a library of the program links one it must not: the libraries
# link one way, engine <- {core, framework} <- {window, settings} <- app <- orrin, and
# res/ (data only) links none of them. A cycle always contains such a link.
# Run with cmake -P, given SOURCE_DIR, WORK_DIR and OPTIONS (a |-list of -D
# options for configuring the tree whose graph is checked).

cmake_minimum_required(VERSION 3.25)

set(allowed_orrin_engine "")
set(allowed_orrin_res "")
set(allowed_orrin_core orrin_engine)
set(allowed_orrin_framework orrin_engine)
set(allowed_orrin_window orrin_core orrin_framework orrin_engine orrin_res)
set(allowed_orrin_settings orrin_core orrin_framework orrin_engine orrin_res)
set(allowed_orrin_cli orrin_framework orrin_engine)
set(allowed_orrin_app orrin_window orrin_settings orrin_core orrin_framework orrin_engine orrin_res)
set(allowed_orrin orrin_app)
set(allowed_orrin-calc orrin_cli)
set(layers orrin_engine orrin_core orrin_res orrin_framework orrin_window orrin_settings orrin_cli orrin_app
    orrin orrin-calc)

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
if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "library graph:\n  ${text}")
endif()
