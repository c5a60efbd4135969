# Writes the figures of the data that the help states, as Halibut macros,
# from the generated data: the repertoire is the number of code points with
# a radical-stroke index, one line each in RadicalStrokeSearchData.
# The program's version comes with them.
#   cmake -DDATA_DIR=... -DVERSION=1.0.0 -DOUTPUT=.../figures.but -P figures.cmake
file(STRINGS "${DATA_DIR}/RadicalStrokeSearchData" lines REGEX "^U\\+")
list(LENGTH lines count)
if(count EQUAL 0)
  message(FATAL_ERROR "no radical-stroke lines in ${DATA_DIR}/RadicalStrokeSearchData")
endif()
# Thousands separated by commas, as the help writes figures.
set(grouped "${count}")
while(grouped MATCHES "^([0-9]+)([0-9][0-9][0-9])(.*)$")
  set(grouped "${CMAKE_MATCH_1},${CMAKE_MATCH_2}${CMAKE_MATCH_3}")
endwhile()
file(WRITE "${OUTPUT}.new" "\\define{repertoire} ${grouped}\n\n\\define{progversion} ${VERSION}\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
