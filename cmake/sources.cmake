# The portable core is every source under these folders except the other platform's seam files
# and the Win32-only shell files (gdi_*, and anything in a win32/ folder).
set(PLATEMAP_CORE_DIRS archive platform raster document viewer plugin)

function(platemap_core_sources out)
  set(sources)
  foreach(dir ${PLATEMAP_CORE_DIRS})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
    list(FILTER sources EXCLUDE REGEX "/gdi_[^/]*\\.cpp$")
  endif()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
