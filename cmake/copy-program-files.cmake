# Copies the layouts and templates of the source tree beside the executable.
foreach(dir layouts templates)
    if(EXISTS ${SRC}/${dir})
        file(COPY ${SRC}/${dir} DESTINATION ${DEST})
    endif()
endforeach()
