# Deployment constants. The defaults point at the local demo services; a
# deployment passes its own with -D on the cmake command line.
set(KELVO_FTP_HOST "127.0.0.1" CACHE STRING "Default FTP server host of the update folder")
set(KELVO_FTP_USER "quarve" CACHE STRING "Six-letter FTP user name")
set(KELVO_DOWNLOAD_HOST "127.0.0.1" CACHE STRING "Web server host of the archiver download")
# Central catalogue login in scrambled form, as hexadecimal bytes of the ANSI
# code page (tools/kelvo-scramble prints them; docs/deployment.md). The
# defaults are the demo catalogue's login.
set(KELVO_MYSQL_USER_SCRAMBLED "39868087918A7A7F80888A" CACHE STRING
    "Scrambled user name of the central catalogue login (hex)")
set(KELVO_MYSQL_PASSWORD_SCRAMBLED "396C907C8D91808E8E7C485F80888A4D4B4D51" CACHE STRING
    "Scrambled password of the central catalogue login (hex)")

# The maker's Ed25519 public keys, as 64 hexadecimal digits each, separated by
# commas (two while a key is being replaced; docs/security.md). With keys
# every release and script must carry the maker's signature; without them the
# update checks no signature at all. The checks need OpenSSL's libcrypto.
set(KELVO_UPDATE_PUBLIC_KEYS "" CACHE STRING
    "Ed25519 public keys that sign releases and scripts (hex, comma-separated)")
find_package(OpenSSL 3 QUIET COMPONENTS Crypto)
set(KELVO_SIGNED_UPDATES ${OpenSSL_FOUND})
if(KELVO_UPDATE_PUBLIC_KEYS)
  if(NOT OpenSSL_FOUND)
    message(FATAL_ERROR "KELVO_UPDATE_PUBLIC_KEYS is set, but OpenSSL 3's libcrypto was not found: "
                        "this build could not check a single signature")
  endif()
  string(REPLACE "," ";" kelvo_keys "${KELVO_UPDATE_PUBLIC_KEYS}")
  foreach(key ${kelvo_keys})
    string(STRIP "${key}" key)
    if(NOT key MATCHES "^[0-9a-fA-F]+$")
      message(FATAL_ERROR "KELVO_UPDATE_PUBLIC_KEYS: '${key}' is not 64 hexadecimal digits")
    endif()
    string(LENGTH "${key}" length)
    if(NOT length EQUAL 64)
      message(FATAL_ERROR "KELVO_UPDATE_PUBLIC_KEYS: '${key}' is not 64 hexadecimal digits")
    endif()
  endforeach()
endif()

# kelvo_deployment_header(TARGET TEMPLATE HEADER PUBLIC|PRIVATE) writes the
# deployment constants into HEADER (the path the code includes, below the
# folder's generated include folder) from TEMPLATE, and puts that folder on
# TARGET's include path: one header per layer that uses them, so that a new
# value rebuilds only what includes it.
function(kelvo_deployment_header target template header scope)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/generated)
  configure_file(${template} ${folder}/${header} @ONLY)
  target_include_directories(${target} ${scope} ${folder})
endfunction()

# Whether the updater may reach the update server over plain FTP.
# "required": every connection is explicit FTPS, whatever the site settings
# say; "optional": the site settings decide ([ftp] tls in kelvoupdate.ini).
set(KELVO_FTP_TLS "optional" CACHE STRING "FTPS to the update server: required or optional")
set_property(CACHE KELVO_FTP_TLS PROPERTY STRINGS optional required)
if(KELVO_FTP_TLS STREQUAL "required")
  set(KELVO_FTP_TLS_REQUIRED true)
elseif(KELVO_FTP_TLS STREQUAL "optional")
  set(KELVO_FTP_TLS_REQUIRED false)
else()
  message(FATAL_ERROR "KELVO_FTP_TLS must be 'required' or 'optional', not '${KELVO_FTP_TLS}'")
endif()
