// A group of vertices' values into vector lanes and out again, written once
// for any vector width. Not a normal header: a file includes it inside its
// own unnamed namespace, after including <cstring> and <utility> and defining
// for its width kLanes and the vector type VF.

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
inline void LaneVertices(const EyeVertex* eye, const u32* which, u32 used, const EyeVertex* (&v)[kLanes]) {
    for (u32 lane = 0; lane < u32(kLanes); ++lane)
        v[lane] = &eye[which[lane < used ? lane : used - 1]];
}

// Lanes of a and b interleaved within each four: the low pair of each four
// (kHigh 0) or the high pair.
template <int kHigh>
VF Interleave(VF a, VF b) {
    return [&]<int... kAt>(std::integer_sequence<int, kAt...>) {
        return __builtin_shufflevector(
            a, b, (kAt % 2 != 0 ? kLanes : 0) + kAt / 4 * 4 + kHigh * 2 + kAt % 4 / 2 ...);
    }
    (std::make_integer_sequence<int, kLanes>{});
}

// Halves of a and b in pairs within each four: a's low pair then b's (kHigh 0),
// or their high pairs.
template <int kHigh>
VF PairUp(VF a, VF b) {
    return [&]<int... kAt>(std::integer_sequence<int, kAt...>) {
        return __builtin_shufflevector(a, b,
                                       (kAt % 4 >= 2 ? kLanes : 0) + kAt / 4 * 4 + kHigh * 2 + kAt % 2 ...);
    }
    (std::make_integer_sequence<int, kLanes>{});
}

// Lane i of the four vectors, in order, as the four floats at to[i], for
// i < used: one store a vertex rather than four.
inline void StoreQuads(const VF (&q)[4], float* const (&to)[kLanes], u32 used) {
    const VF lo01 = Interleave<0>(q[0], q[1]), hi01 = Interleave<1>(q[0], q[1]);
    const VF lo23 = Interleave<0>(q[2], q[3]), hi23 = Interleave<1>(q[2], q[3]);
    // Lane 4k + j's floats are floats 4k .. 4k + 3 of quads[j].
    const VF quads[4] = {PairUp<0>(lo01, lo23), PairUp<1>(lo01, lo23), PairUp<0>(hi01, hi23),
                         PairUp<1>(hi01, hi23)};
    for (u32 lane = 0; lane < used; ++lane)
        std::memcpy(to[lane], reinterpret_cast<const float*>(&quads[lane % 4]) + lane / 4 * 4,
                    4 * sizeof(float));
}

// The whole groups of the vertices which[0 .. count) through `group`; how
// many vertices.
template <auto group, typename Plan>
u32 WholeGroups(const Plan& plan, const EyeVertex* eye, const u32* which, u32 count, RasterVertex* out) {
    const u32 whole = count - count % kLanes;
    for (u32 done = 0; done < whole; done += kLanes)
        group(plan, eye, which + done, kLanes, out);
    return whole;
}
