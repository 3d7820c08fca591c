# kesu_add_subfolders()
# Adds every subfolder of the calling folder that has a CMakeLists.txt, in
# name order: a new test, benchmark or fuzz area needs no edit of its parent.
function(kesu_add_subfolders)
  file(GLOB _folders LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _folders)
  foreach(_folder ${_folders})
    if(IS_DIRECTORY ${_folder} AND EXISTS ${_folder}/CMakeLists.txt)
      add_subdirectory(${_folder})
    endif()
  endforeach()
endfunction()
