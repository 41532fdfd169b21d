# libtiff: the system's natively; the cross-built static libraries in .deps/win32 for Windows.
if(WIN32)
  find_path(PLATEMAP_TIFF_INCLUDE tiffio.h REQUIRED)
  find_library(PLATEMAP_TIFF_LIBRARY NAMES libtiff.a tiff REQUIRED)
  find_library(PLATEMAP_JPEG_LIBRARY NAMES libjpeg.a jpeg REQUIRED)
  find_library(PLATEMAP_ZLIB_LIBRARY NAMES libz.a libzlibstatic.a z REQUIRED)
  add_library(platemap::tiff INTERFACE IMPORTED)
  target_include_directories(platemap::tiff INTERFACE ${PLATEMAP_TIFF_INCLUDE})
  target_link_libraries(platemap::tiff INTERFACE
    ${PLATEMAP_TIFF_LIBRARY} ${PLATEMAP_JPEG_LIBRARY} ${PLATEMAP_ZLIB_LIBRARY})
else()
  find_package(TIFF REQUIRED)
  add_library(platemap::tiff ALIAS TIFF::TIFF)
endif()
