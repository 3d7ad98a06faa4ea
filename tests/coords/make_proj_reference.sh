#!/bin/sh
# Regenerates data/proj_reference.txt, the reference values that ProjectionTest
# compares KCUTIL::Convert_Coord with. Needs PROJ's cs2cs (Debian: apt-get install
# proj-bin); the tests themselves only read the committed file.
#
#   tests/coords/make_proj_reference.sh > tests/coords/data/proj_reference.txt
#
# Every line of the output: X Y longitude latitude. X is the northing, Y the
# easting with the zone number in front, both in metres, on Beijing 1954
# (Krasovsky 1940); longitude and latitude in decimal degrees as cs2cs computes them.
set -eu

# 3-degree zones 25 to 45 are EPSG:2401 to EPSG:2421, 6-degree zones 13 to 23 are
# EPSG:21413 to EPSG:21423; geographic Beijing 1954 is EPSG:4214 (latitude first).
convert() {
    crs=$1 x=$2 y=$3
    out=$(echo "$x $y" | cs2cs -f %.12f "$crs" EPSG:4214)
    lat=$(echo "$out" | awk '{print $1}')
    lon=$(echo "$out" | awk '{print $2}')
    echo "$x $y $lon $lat"
}

echo "# Made by tests/coords/make_proj_reference.sh with $(cs2cs 2>&1 | head -n 1); run it again to regenerate."
echo "# X Y longitude latitude"

# 3-degree zones, as "zone X Y".
while read -r zone x y; do
    convert "EPSG:$((2401 + zone - 25))" "$x" "$y"
done <<POINTS
39 4400000 39450000
39 3500000 39600000
38 3300000 38380000
40 2600000 40520000
36 4100000 36420000
35 2800000 35650000
43 5000000 43400000
26 4000000 26550000
POINTS

# 6-degree zones.
while read -r zone x y; do
    convert "EPSG:$((21413 + zone - 13))" "$x" "$y"
done <<POINTS
20 4400000 20450000
20 3000000 20700000
18 3800000 18300000
21 4600000 21520000
16 3200000 16650000
19 2500000 19400000
22 5200000 22600000
POINTS

# An easting above 48000000: zone 49, central meridian 1.5 x (49 + 1) = 75.
while read -r x y; do
    out=$(echo "$y $x" | cs2cs -f %.12f \
        +proj=tmerc +lat_0=0 +lon_0=75 +k=1 +x_0=49500000 +y_0=0 +ellps=krass +units=m +no_defs \
        +to +proj=longlat +ellps=krass +no_defs)
    lon=$(echo "$out" | awk '{print $1}')
    lat=$(echo "$out" | awk '{print $2}')
    echo "$x $y $lon $lat"
done <<POINTS
4000000 49520000
4300000 49400000
POINTS
