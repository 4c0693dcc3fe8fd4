# Where the dial puts things, from the client size: the layout and the dial
# point rule (degrees clockwise from 12 o'clock, pi taken as 3.14, offsets
# truncated toward zero), so tests can say which pixel a hand must cover.

# e2e_dial_layout WIDTH HEIGHT TEXT_BLOCK_HEIGHT: sets DIAL_SIZE, INNER_RADIUS,
# OUTER_RADIUS, MONTH_HAND_LENGTH, DAY_HAND_LENGTH, CENTRE_X, CENTRE_Y.
# TEXT_BLOCK_HEIGHT is the summed height of the countdown lines of slots 1-3.
e2e_dial_layout() {
  local width=$1 height=$2 textBlock=$3
  local reduced=$((height - 2 * textBlock))
  DIAL_SIZE=$((width < reduced ? width : reduced))
  INNER_RADIUS=$((DIAL_SIZE * 40 / 100))
  OUTER_RADIUS=$((DIAL_SIZE * 43 / 100))
  MONTH_HAND_LENGTH=$((INNER_RADIUS * 60 / 100))
  DAY_HAND_LENGTH=$((INNER_RADIUS * 85 / 100))
  CENTRE_X=$((width / 2))
  CENTRE_Y=$(awk -v h="$height" 'BEGIN { print int(h * 0.57) }')
}

# e2e_dial_point ANGLE RADIUS: "x y" of the point at ANGLE degrees and RADIUS
# pixels (RADIUS may be fractional) from the centre.
e2e_dial_point() {
  awk -v a="$1" -v r="$2" -v cx="$CENTRE_X" -v cy="$CENTRE_Y" 'BEGIN {
    rad = a * 3.14 / 180
    print cx + int(sin(rad) * r), cy + int(-cos(rad) * r) }'
}

# e2e_scaled LENGTH FRACTION: LENGTH times FRACTION, unrounded.
e2e_scaled() { awk -v l="$1" -v f="$2" 'BEGIN { print l * f }'; }
