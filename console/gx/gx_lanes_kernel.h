// Vectors built from the vertices of a group, written once for any vector
// width. Not a normal header: a file includes it inside its own unnamed
// namespace, after including <utility> and defining for its width kLanes.

// A vector of lane i's value of(i) each: built in registers, where lanes
// written one by one into memory stall the load of the whole.
template <typename V, typename Of>
V FromLanes(Of of) {
    return [&]<int... kLane>(std::integer_sequence<int, kLane...>) {
        return V{of(kLane)...};
    }
    (std::make_integer_sequence<int, kLanes>{});
}

// The vertices which[0 .. used), used <= kLanes, a lane each; the lanes beyond
// take the last vertex again.
void LaneVertices(const EyeVertex* eye, const u32* which, u32 used, const EyeVertex* (&v)[kLanes]) {
    for (u32 lane = 0; lane < u32(kLanes); ++lane)
        v[lane] = &eye[which[lane < used ? lane : used - 1]];
}
