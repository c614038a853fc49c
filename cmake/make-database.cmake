# Creates the database file DB from the SQL text SQL, replacing an older one.
file(REMOVE ${DB} ${DB}-journal)
get_filename_component(dir ${DB} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
execute_process(COMMAND ${SQLITE3} -bail ${DB} INPUT_FILE ${SQL} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    file(REMOVE ${DB})
    message(FATAL_ERROR "Creating ${DB} from ${SQL} failed: ${err}")
endif()
