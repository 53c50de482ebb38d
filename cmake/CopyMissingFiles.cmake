# Copies every file below SOURCE to DEST unless DEST already has it: a user's data is never
# overwritten by a rebuild. Placeholder files (.gitkeep) only create their folder.
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(rel IN LISTS files)
  get_filename_component(dir ${rel} DIRECTORY)
  file(MAKE_DIRECTORY ${DEST}/${dir})
  get_filename_component(name ${rel} NAME)
  if(NOT name STREQUAL ".gitkeep" AND NOT EXISTS ${DEST}/${rel})
    file(COPY ${SOURCE}/${rel} DESTINATION ${DEST}/${dir})
  endif()
endforeach()
