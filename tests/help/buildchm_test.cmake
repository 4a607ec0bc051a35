# Runs the help compiler script on copies of the help sources, once as they
# are and once for each kind of fault, and checks that a good build gives a
# CHM file and that every fault fails the build without leaving a file
# behind (not even the one of an earlier build). Run with cmake -P and:
#   BUILD_SCRIPT  help/BuildChm.cmake
#   CHMCMD, ICONV, SOURCE_DIR  as for BuildChm.cmake
#   SOURCES       as for BuildChm.cmake, separated by "|"
#   WORK_DIR      a scratch directory of this test's own

foreach(variable BUILD_SCRIPT CHMCMD ICONV SOURCE_DIR SOURCES WORK_DIR)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "buildchm_test.cmake: ${variable} is not set")
    endif()
endforeach()

string(REPLACE "|" ";" SOURCES "${SOURCES}")

# Case: name, file to change ("" for none), text to replace, replacement,
# sources to leave out of the list handed to the script, expected outcome.
function(run_case name file from to left_out expected)
    set(sources_dir "${WORK_DIR}/${name}/sources")
    set(output "${WORK_DIR}/${name}/out/Orrin.chm")
    file(REMOVE_RECURSE "${WORK_DIR}/${name}")
    file(MAKE_DIRECTORY "${sources_dir}" "${WORK_DIR}/${name}/out")
    foreach(source IN LISTS SOURCES)
        file(COPY_FILE "${SOURCE_DIR}/${source}" "${sources_dir}/${source}")
    endforeach()
    if(NOT file STREQUAL "")
        file(READ "${sources_dir}/${file}" text)
        string(FIND "${text}" "${from}" at)
        if(at EQUAL -1)
            message(SEND_ERROR "${name}: ${file} holds no \"${from}\" to change")
        endif()
        string(REPLACE "${from}" "${to}" text "${text}")
        file(WRITE "${sources_dir}/${file}" "${text}")
    endif()
    set(sources ${SOURCES})
    if(NOT left_out STREQUAL "")
        list(REMOVE_ITEM sources ${left_out})
    endif()
    # An earlier build's file, which a failed build must not leave in place.
    file(WRITE "${output}" "earlier build")

    execute_process(
        COMMAND "${CMAKE_COMMAND}"
            "-DCHMCMD=${CHMCMD}" "-DICONV=${ICONV}" "-DSOURCE_DIR=${sources_dir}"
            "-DWORK_DIR=${WORK_DIR}/${name}/chm" "-DSOURCES=${sources}" "-DOUTPUT=${output}"
            -P "${BUILD_SCRIPT}"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE log
        ERROR_VARIABLE log)

    set(problem "")
    if(expected STREQUAL "builds")
        if(NOT result EQUAL 0)
            set(problem "the build failed:\n${log}")
        elseif(NOT EXISTS "${output}")
            set(problem "no ${output}")
        else()
            file(READ "${output}" signature LIMIT 4 HEX)
            if(NOT signature STREQUAL "49545346")  # "ITSF"
                set(problem "${output} is not a CHM file (starts with the bytes ${signature})")
            endif()
        endif()
    else()
        if(result EQUAL 0)
            set(problem "the build succeeded")
        elseif(EXISTS "${output}")
            set(problem "the failed build left ${output}")
        elseif(EXISTS "${WORK_DIR}/${name}/chm/Orrin.chm")
            set(problem "the failed build left its compiled file in the work directory")
        endif()
    endif()
    if(problem STREQUAL "")
        message(STATUS "ok: ${name}")
    else()
        message(SEND_ERROR "${name}: ${problem}")
    endif()
endfunction()

run_case(complete "" "" "" "" builds)
# chmcmd exits with 217 and leaves an empty file for a page it cannot find.
run_case(page_missing_on_disk "" "" "" "files.html" fails)
run_case(link_to_missing_page index.html "href=\"keys.html\"" "href=\"nokeys.html\"" "" fails)
run_case(link_to_missing_anchor index.html "href=\"keys.html\"" "href=\"keys.html#nowhere\"" "" fails)
run_case(text_outside_shift_jis index.html "<h2>目次</h2>" "<h2>目次 😀</h2>" "" fails)
