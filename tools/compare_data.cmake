# Run as: cmake -DGENERATOR=<make_data> -DEXPECTED=<Data dir> -DOUTPUT=<scratch dir> -P compare_data.cmake
# Regenerates the data files into an emptied scratch directory and compares each with the
# committed copy byte for byte, naming every file that is missing or differs.
cmake_minimum_required(VERSION 3.18)

set(files
  Terrain.bmp Sky.bmp Grass1.bmp Water.bmp City1.bmp City2.bmp
  Explo.bmp Grass2.bmp Plane.bmp Sun.bmp Font.bmp Explo.wav Icon.png)

file(REMOVE_RECURSE "${OUTPUT}")
file(MAKE_DIRECTORY "${OUTPUT}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_data failed (${status})")
endif()

set(problems "")
foreach(name IN LISTS files)
  if(NOT EXISTS "${EXPECTED}/${name}")
    list(APPEND problems "${name}: missing from ${EXPECTED}")
  elseif(NOT EXISTS "${OUTPUT}/${name}")
    list(APPEND problems "${name}: not written by the generator")
  else()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${EXPECTED}/${name}" "${OUTPUT}/${name}"
      RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      list(APPEND problems "${name}: differs from the generator's output")
    endif()
  endif()
endforeach()

# Anything else the generator writes should be committed (and listed here) too.
file(GLOB written RELATIVE "${OUTPUT}" "${OUTPUT}/*")
foreach(name IN LISTS written)
  if(NOT name IN_LIST files)
    list(APPEND problems "${name}: written by the generator but not checked")
  endif()
endforeach()

if(problems)
  list(JOIN problems "\n  " report)
  message(FATAL_ERROR "Data/ does not match tools/make_data:\n  ${report}")
endif()
list(LENGTH files count)
message(STATUS "all ${count} data files match")
