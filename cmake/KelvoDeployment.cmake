# Deployment constants. The defaults point at the local demo services; a
# deployment passes its own with -D on the cmake command line.
set(KELVO_FTP_HOST "127.0.0.1" CACHE STRING "Default FTP server host of the update folder")
set(KELVO_FTP_USER "quarve" CACHE STRING "Six-letter FTP user name")
set(KELVO_DOWNLOAD_HOST "127.0.0.1" CACHE STRING "Web server host of the archiver download")
