# What the Windows build takes from Debian: the declarations of Asio, the
# InterBase client API and MariaDB Connector/C, and the header-only JSON
# library. Only these headers go on the include path; the whole of
# /usr/include would put glibc's headers in front of MinGW's. The client
# libraries themselves are loaded at run time, so nothing of theirs is linked.
set(KELVO_DEBIAN_HEADERS ${CMAKE_BINARY_DIR}/debian-headers)
file(MAKE_DIRECTORY ${KELVO_DEBIAN_HEADERS})
add_library(kelvo_debian_headers INTERFACE)
foreach(header asio.hpp asio ibase.h mariadb nlohmann)
  if(NOT EXISTS /usr/include/${header})
    message(FATAL_ERROR "/usr/include/${header} is missing: run scripts/setup "
                        "(libasio-dev, firebird-dev, libmariadb-dev, nlohmann-json3-dev)")
  endif()
  file(CREATE_LINK /usr/include/${header} ${KELVO_DEBIAN_HEADERS}/${header} SYMBOLIC)
endforeach()
target_include_directories(kelvo_debian_headers SYSTEM INTERFACE
  ${KELVO_DEBIAN_HEADERS} ${KELVO_DEBIAN_HEADERS}/mariadb)
# Standalone Asio on Winsock.
target_link_libraries(kelvo_debian_headers INTERFACE ws2_32 mswsock)
