# Fails when a C++ file under src/, tests/, bench/ or fuzz/ differs from what clang-format 14
# makes of it with the project's .clang-format. Run by ctest as `format`:
#   cmake -DSOURCE_DIR=<checkout> -P cmake/CheckFormat.cmake
# Another clang-format version formats some constructs differently, so only 14 is accepted.
if(NOT SOURCE_DIR)
    message(FATAL_ERROR "CheckFormat.cmake needs -DSOURCE_DIR=<checkout>")
endif()

find_program(CLANG_FORMAT NAMES clang-format-14 clang-format)
if(NOT CLANG_FORMAT)
    message(FATAL_ERROR "clang-format 14 is missing (scripts/install-deps.sh installs it)")
endif()
execute_process(COMMAND ${CLANG_FORMAT} --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT version MATCHES "version 14\\.")
    message(FATAL_ERROR "${CLANG_FORMAT} is not clang-format 14: ${version}")
endif()

set(files "")
foreach(dir src tests bench fuzz)
    file(GLOB_RECURSE found "${SOURCE_DIR}/${dir}/*.h" "${SOURCE_DIR}/${dir}/*.cpp")
    list(APPEND files ${found})
endforeach()
list(SORT files)
list(LENGTH files count)
if(count EQUAL 0)
    message(FATAL_ERROR "no C++ files found under ${SOURCE_DIR}")
endif()

# --dry-run -Werror reports every change it would make as an error and exits non-zero.
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror --style=file ${files}
                WORKING_DIRECTORY ${SOURCE_DIR}
                RESULT_VARIABLE result
                ERROR_VARIABLE diagnostics)
if(NOT result EQUAL 0)
    # One line per file that needs formatting, then clang-format's own report.
    string(REGEX MATCHALL "[^\n]*: error: code should be clang-formatted" lines "${diagnostics}")
    set(unformatted "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE ":[0-9]+:[0-9]+: error: code should be clang-formatted$" "" path "${line}")
        file(RELATIVE_PATH path ${SOURCE_DIR} ${path})
        list(APPEND unformatted ${path})
    endforeach()
    list(REMOVE_DUPLICATES unformatted)
    list(LENGTH unformatted bad)
    string(REPLACE ";" "\n  " listing "${unformatted}")
    message(FATAL_ERROR "${bad} of ${count} files are not formatted (run clang-format -i on them):\n  ${listing}")
endif()
message(STATUS "${count} files formatted as .clang-format says")
