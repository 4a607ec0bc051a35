# Compiles the help into Orrin.chm. Run with cmake -P and these variables:
#   CHMCMD      the CHM compiler (chmcmd, from Free Pascal's utilities)
#   ICONV       the iconv program
#   SOURCE_DIR  where the help sources are (UTF-8)
#   WORK_DIR    a scratch directory for the Shift-JIS copies
#   SOURCES     the sources, the project file (.hhp) first
#   OUTPUT      the Orrin.chm to write
#
# The sources are kept in UTF-8; the compiled file is in code page 932
# (Shift-JIS) because a Japanese help file's contents and index are read in the
# code page of its language (0x411): xCHM shows UTF-8 ones as mojibake, and
# chmcmd crashes on UTF-8 pages when it builds the full-text index. The pages
# name the code page Windows-31J rather than Shift_JIS, which xCHM would decode
# with the JIS Roman table, showing "~" as an overline and a backslash as a
# yen sign. The project asks for no binary index: chmcmd writes its keywords
# as question marks, while the index file itself is read in the right code
# page. A source that does not convert, a missing file, a broken link and a
# failing or empty compile all fail the build, and never leave an Orrin.chm
# behind.

foreach(variable CHMCMD ICONV SOURCE_DIR WORK_DIR SOURCES OUTPUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "BuildChm.cmake: ${variable} is not set")
    endif()
endforeach()

file(REMOVE "${OUTPUT}")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

set(project_file "")
foreach(source IN LISTS SOURCES)
    if(NOT EXISTS "${SOURCE_DIR}/${source}")
        message(FATAL_ERROR "help source ${SOURCE_DIR}/${source} is missing")
    endif()
    file(READ "${SOURCE_DIR}/${source}" text)
    string(REPLACE "charset=utf-8" "charset=Windows-31J" text "${text}")
    if(source MATCHES "\\.html$")
        # wxWidgets' HTML view (xCHM) breaks lines only at white space, so a
        # Japanese paragraph would run off the window as one long word: give
        # it a place to break after each comma and full stop.
        string(REPLACE "、" "、\n" text "${text}")
        string(REPLACE "。" "。\n" text "${text}")
        # Not inside a quotation's closing bracket, which would get a blank.
        string(REPLACE "。\n」" "。」" text "${text}")
        string(REPLACE "。\n）" "。）" text "${text}")
    endif()
    file(WRITE "${WORK_DIR}/${source}.utf8" "${text}")
    execute_process(
        COMMAND "${ICONV}" -f UTF-8 -t CP932 "${WORK_DIR}/${source}.utf8"
        OUTPUT_FILE "${WORK_DIR}/${source}"
        ERROR_VARIABLE iconv_error
        RESULT_VARIABLE iconv_result)
    if(NOT iconv_result EQUAL 0)
        message(FATAL_ERROR "${source} does not convert to Shift-JIS: ${iconv_error}")
    endif()
    file(REMOVE "${WORK_DIR}/${source}.utf8")
    if(source MATCHES "\\.hhp$" AND project_file STREQUAL "")
        set(project_file "${source}")
    endif()
endforeach()
if(project_file STREQUAL "")
    message(FATAL_ERROR "no .hhp project among the help sources")
endif()

execute_process(
    COMMAND "${CHMCMD}" "${project_file}"
    WORKING_DIRECTORY "${WORK_DIR}"
    OUTPUT_VARIABLE chmcmd_output
    ERROR_VARIABLE chmcmd_error
    RESULT_VARIABLE chmcmd_result)

get_filename_component(chm_name "${OUTPUT}" NAME)
set(compiled "${WORK_DIR}/${chm_name}")
set(size 0)
if(EXISTS "${compiled}")
    file(SIZE "${compiled}" size)
endif()

# chmcmd reports missing files and undefined anchors as warnings and errors
# in its output but still exits with 0.
string(REGEX MATCHALL "(Warning|Error):[^\n]*" problems "${chmcmd_output}\n${chmcmd_error}")

if(NOT chmcmd_result EQUAL 0 OR size EQUAL 0 OR problems)
    file(REMOVE "${compiled}")
    list(JOIN problems "\n  " problem_lines)
    message(FATAL_ERROR "chmcmd failed (exit status ${chmcmd_result}, ${size} bytes)\n"
                        "  ${problem_lines}\n${chmcmd_error}")
endif()

file(COPY_FILE "${compiled}" "${OUTPUT}")
