#pragma once
#include <cstdint>
#include <vector>

#include "base/geometry.hpp"
#include "gfx/image.hpp"

namespace tavu {

// Solid fills, 1 px lines and 1 px ellipse outlines, drawn straight into a PixelBuffer with GDI's
// conventions: a line's end point and a shape's right and bottom edges are excluded, and
// everything is clipped to the buffer.
//
// The break-screen patterns are a full fill and then thousands of lines or circle outlines. Drawn
// one after the other at 4K they are mostly cache and TLB misses (a steep line touches a new page
// with every pixel). So the operations are recorded and drawn by Flush band of rows by band of
// rows, every operation in its order within a band; the result is the same as drawing them one
// after the other.
//
// Exact integer arithmetic bounds what can be recorded: coordinates within ±kMaxCoordinate and
// ellipses at most kMaxEllipseSide wide and high. Line and Ellipse refuse anything beyond (and
// record nothing), so that the caller can draw it another way.
class Rasteriser {
 public:
  static constexpr int kMaxCoordinate = 1 << 24;
  static constexpr int kMaxEllipseSide = 1 << 16;

  // Draws into `target` from now on; whatever was recorded for the previous target is dropped.
  void SetTarget(const PixelBuffer& target);
  const PixelBuffer& target() const { return target_; }

  // `pixel` is stored as given. Nothing is drawn until Flush.
  void Fill(const Rect& r, uint32_t pixel);
  // False, with nothing recorded, for a line or ellipse beyond the limits.
  [[nodiscard]] bool Line(Point from, Point to, uint32_t pixel);
  [[nodiscard]] bool Ellipse(const Rect& bounds, uint32_t pixel);

  bool Pending() const { return !ops_.empty(); }
  // Draws everything recorded and forgets it.
  void Flush();
  // Forgets what is recorded without drawing it.
  void Discard();

 private:
  // A recorded operation; coordinates in pixels of the target.
  struct Op {
    enum class Kind : uint8_t { Fill, Line, Ellipse } kind;
    uint32_t pixel;
    int x0, y0, x1, y1;       // fill: rectangle; line: from, to
    int row_top, row_bottom;  // the rows it may touch, bottom excluded
    // Ellipse: rows from the middle outwards, runs_[first_run + j] for the j-th row below
    // `lower` and above `upper`; the left side mirrors the right about `mirror` / 2. Only rows
    // j in [right_from, right_to) and [left_from, left_to) reach into the target's columns.
    int lower, upper, mirror;
    uint32_t first_run, run_count;
    int right_from, right_to, left_from, left_to;
  };
  struct Run {
    int inner, outer;  // right side, inclusive
  };

  void RecordEllipse(int left, int top, int w, int h, uint32_t pixel);
  void DrawFill(const Op& op, int row0, int row1);
  void DrawLine(const Op& op, int row0, int row1);
  void DrawEllipse(const Op& op, int row0, int row1);

  PixelBuffer target_;
  std::vector<Op> ops_;
  std::vector<Run> runs_;
};

}  // namespace tavu
