# Copies each database of FROM into TO where TO has none yet: a database that
# already holds a school's data is never overwritten by a build.
file(MAKE_DIRECTORY ${TO})
file(GLOB dbs ${FROM}/*.db)
foreach(db ${dbs})
    get_filename_component(name ${db} NAME)
    if(NOT EXISTS ${TO}/${name})
        file(COPY ${db} DESTINATION ${TO})
    endif()
endforeach()
