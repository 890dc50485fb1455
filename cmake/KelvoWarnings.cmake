# Strict warnings for the project's own targets (never for third-party code).
function(kelvo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# Adds the library of one layer: every source in the calling folder plus the
# sources of the current platform's subfolder (posix/ or windows/). Returns
# without a target while the folder holds no source yet.
function(kelvo_layer target)
  set(folder ${CMAKE_CURRENT_SOURCE_DIR})
  # A layer's sources may sit in sub-folders (one per client in access/); each
  # folder keeps its platform sources in posix/ and windows/ beneath it.
  file(GLOB_RECURSE all_sources CONFIGURE_DEPENDS
       ${folder}/*.cpp ${folder}/*.h ${folder}/*.inc ${folder}/*.qrc)
  set(sources "")
  set(os_sources "")
  if(WIN32)
    set(own_os windows)
    set(other_os posix)
  else()
    set(own_os posix)
    set(other_os windows)
  endif()
  foreach(file ${all_sources})
    file(RELATIVE_PATH relative ${folder} ${file})
    if(relative MATCHES "(^|/)${other_os}/")
      continue()
    elseif(relative MATCHES "(^|/)${own_os}/")
      list(APPEND os_sources ${file})
    else()
      list(APPEND sources ${file})
    endif()
  endforeach()
  if(NOT sources AND NOT os_sources)
    return()
  endif()
  add_library(${target} STATIC ${sources} ${os_sources})
  if(CMAKE_AUTOMOC)
    # The moc step only notices changes to files it saw on its last run, so a
    # new Q_OBJECT header would go unseen in an incremental build (undefined
    # vtable). When the folder's file list changes, drop the moc step's
    # output so that it runs again.
    string(SHA1 listing "${sources};${os_sources}")
    set(listing_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.sha1)
    set(previous "")
    if(EXISTS ${listing_file})
      file(READ ${listing_file} previous)
    endif()
    if(NOT previous STREQUAL listing)
      file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
    endif()
    file(WRITE ${listing_file} "${listing}")
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  kelvo_warnings(${target})
endfunction()
