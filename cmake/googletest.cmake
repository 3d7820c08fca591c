# GoogleTest from Debian's source package, built with whichever compiler this
# build uses (so the cross build gets Windows test libraries).
set(KESU_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
# Third-party code is not ours to keep warning-free.
set(_kesu_saved_options "${CMAKE_CXX_FLAGS}")
add_subdirectory(${KESU_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(t gtest gtest_main gmock gmock_main)
  if(TARGET ${t})
    target_compile_options(${t} PRIVATE -w)
  endif()
endforeach()
