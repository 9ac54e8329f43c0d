# Compiles a folder of help pages into a help file. Run by the build with:
#   CHMCMD      the help compiler
#   FIXER       the chmheaderfix tool
#   SOURCE_DIR  the folder of the pages and of the project file
#   PROJECT     the project file's name
#   COMPILED    the name of the file that the project tells the compiler to write
#   WORK_DIR    a scratch folder of the build
#   OUTPUT      the finished help file
# The compiler reads its project relative to the working folder and writes beside it, so it
# runs on a copy of the pages; its exit code cannot be trusted (it says 0 when the project is
# missing), hence the checks of what it wrote.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY "${SOURCE_DIR}/" DESTINATION "${WORK_DIR}")

execute_process(
    COMMAND "${CHMCMD}" --no-html-scan --verbosity 1 "${PROJECT}"
    WORKING_DIRECTORY "${WORK_DIR}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR output MATCHES "Error|Warning|does not exist")
    message(FATAL_ERROR "The help compiler failed (${result}):\n${output}")
endif()

execute_process(
    COMMAND "${FIXER}" "${WORK_DIR}/${COMPILED}" "${OUTPUT}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The compiled help file was not put in place")
endif()
