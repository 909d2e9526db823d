#!/usr/bin/python3
"""Charts with known data for measuring Auto Run: gaps, dashes, legends inside
the plot, same-coloured grid and zero lines, neighbouring shades of one colour
map, jagged red/orange stock lines, a curve ending early, markers only.
Writes <name>.png, <name>_truth.csv and calibration.json (the same form as
/work/shared/charts/calibration.json)."""
import json, os, sys
import numpy as np
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
from matplotlib import colors as mcolors

OUT = sys.argv[1] if len(sys.argv) > 1 else "."
os.makedirs(OUT, exist_ok=True)
DPI = 100
charts = []


def hexcol(c):
    return mcolors.to_hex(c).upper()


def save(name, fig, ax, series, between="straight line segments", fmt="png", extra=None):
    """series: list of (label, x array, y array, colour); NaN in y breaks the line."""
    fig.canvas.draw()
    W, H = fig.canvas.get_width_height()
    x0, x1 = ax.get_xlim()
    y0, y1 = ax.get_ylim()

    def px(x, y):
        dx, dy = ax.transData.transform((x, y))
        # display origin bottom-left, pixel i covers [i, i+1): centre of column i is i + 0.5
        return [round(dx - 0.5, 3), round(H - dy - 0.5, 3)]

    path = os.path.join(OUT, f"{name}.{fmt}")
    kw = {"pil_kwargs": {"quality": 90}} if fmt == "jpg" else {}
    fig.savefig(path, dpi=DPI, **kw)
    plt.close(fig)
    with open(os.path.join(OUT, f"{name}_truth.csv"), "w") as f:
        f.write("series,x,y\n")
        for label, xs, ys, _ in series:
            for x, y in zip(xs, ys):
                f.write(f"{label},{x:.9g},{'nan' if np.isnan(y) else format(y, '.9g')}\n")
    chart = {
        "file": f"{name}.{fmt}", "truth": f"{name}_truth.csv",
        "x_scale": "linear", "y_scale": "linear",
        "x_ref": [{"value": x0, "px": px(x0, y0)}, {"value": x1, "px": px(x1, y0)}],
        "y_ref": [{"value": y0, "px": px(x0, y0)}, {"value": y1, "px": px(x0, y1)}],
        "series": [{"name": s[0], "colour": hexcol(s[3])} for s in series],
        "between_samples": between,
    }
    if extra:
        chart.update(extra)
    charts.append(chart)


def figure():
    fig = plt.figure(figsize=(9, 6), dpi=DPI)
    ax = fig.add_axes([0.08, 0.08, 0.88, 0.86])
    return fig, ax


rng = np.random.default_rng(14)

# 1. A stock-like line with breaks in the data (missing stretches).
fig, ax = figure()
x = np.linspace(0, 10, 401)
y = 50 + np.cumsum(rng.normal(0, 0.6, x.size))
y[(x > 2.8) & (x < 3.7)] = np.nan
y[(x > 6.1) & (x < 7.2)] = np.nan
ax.plot(x, y, color="#1F3F9F", lw=1.8)
ax.grid(color="#CCCCCC")
ax.set_xlim(0, 10); ax.set_ylim(np.nanmin(y) - 5, np.nanmax(y) + 5)
save("gaps", fig, ax, [("price", x, y, "#1F3F9F")])

# 2. Dashed and dotted series.
fig, ax = figure()
x = np.linspace(0, 10, 501)
s1 = 5 + 3 * np.sin(x)
s2 = 2 + 0.5 * x + 0.8 * np.cos(2 * x)
ax.plot(x, s1, "--", color="#D62728", lw=2)
ax.plot(x, s2, ":", color="#2CA02C", lw=2.5)
ax.set_xlim(0, 10); ax.set_ylim(0, 10)
save("dashed", fig, ax, [("dashed", x, s1, "#D62728"), ("dotted", x, s2, "#2CA02C")])

# 3. A legend inside the plot, in the curves' columns.
fig, ax = figure()
x = np.linspace(0, 10, 501)
ser = [("a", 6 + 2.5 * np.sin(0.8 * x), "C0"), ("b", 3 + 0.4 * x, "C1"),
       ("c", 8 - 0.5 * x + np.sin(3 * x) * 0.5, "C2")]
for label, yy, c in ser:
    ax.plot(x, yy, color=c, lw=2, label=label)
ax.legend(loc="center right", fontsize=14)
ax.set_xlim(0, 10); ax.set_ylim(0, 10)
save("legend", fig, ax, [(l, x, yy, c) for l, yy, c in ser])

# 4. Grid and zero line in the curve's own colour.
fig, ax = figure()
x = np.linspace(-5, 5, 501)
y = 2.2 * np.sin(1.3 * x) * np.exp(-0.05 * x * x) + 0.3 * x
ax.plot(x, y, color="black", lw=1.5)
ax.axhline(0, color="black", lw=1)
ax.grid(color="black", lw=0.8)
ax.set_xlim(-5, 5); ax.set_ylim(-4, 4)
save("zeroline", fig, ax, [("curve", x, y, "black")])

# 5. Ten decades in neighbouring viridis shades (a seasonal cycle that warms).
def decades(name, cmap, lw):
    fig, ax = figure()
    m = np.arange(1, 13)
    ss = []
    for k in range(10):
        yy = 10 + 8 * np.sin((m - 4) * np.pi / 6) + 0.35 * k + rng.normal(0, 0.25, m.size)
        c = hexcol(plt.get_cmap(cmap)(k / 9))
        ax.plot(m, yy, color=c, lw=lw)
        ss.append((f"{1920 + 10 * k}s", m.astype(float), yy, c))
    ax.set_xlim(1, 12); ax.set_ylim(0, 22)
    save(name, fig, ax, ss)

decades("viridis", "viridis", 1.5)
decades("plasma", "plasma", 2.0)

# 6. Red and orange jagged stock lines that cross.
fig, ax = figure()
x = np.linspace(0, 10, 300)
a = 100 + np.cumsum(rng.normal(0, 1.2, x.size))
b = a[0] + np.cumsum(rng.normal(0.02, 1.2, x.size))
ax.plot(x, a, color="#DC1E1E", lw=1.2)
ax.plot(x, b, color="#FA5A14", lw=1.2)
ax.set_xlim(0, 10); lo = min(a.min(), b.min()); hi = max(a.max(), b.max())
ax.set_ylim(lo - 5, hi + 5)
ax.grid(color="#DDDDDD")
save("stocks", fig, ax, [("red", x, a, "#DC1E1E"), ("orange", x, b, "#FA5A14")])
# the same as a JPEG, as papers print them
fig, ax = figure()
ax.plot(x, a, color="#DC1E1E", lw=1.2)
ax.plot(x, b, color="#FA5A14", lw=1.2)
ax.set_xlim(0, 10); ax.set_ylim(lo - 5, hi + 5)
ax.grid(color="#DDDDDD")
save("stocks_jpg", fig, ax, [("red", x, a, "#DC1E1E"), ("orange", x, b, "#FA5A14")], fmt="jpg")

# 7. A curve that ends before X Max, a legend beyond its end.
fig, ax = figure()
x1 = np.linspace(0, 6, 301)
x2 = np.linspace(0, 10, 501)
e = 2 + 6 * (1 - np.exp(-x1 / 2))
f = 1 + 0.3 * x2
ax.plot(x1, e, color="#9467BD", lw=2, label="measured")
ax.plot(x2, f, color="#8C564B", lw=2, label="model")
ax.legend(loc="upper right", fontsize=14)
ax.set_xlim(0, 10); ax.set_ylim(0, 10)
save("ending", fig, ax, [("measured", x1, e, "#9467BD"), ("model", x2, f, "#8C564B")])

# 8. Markers only.
fig, ax = figure()
xm = np.linspace(0.5, 9.5, 19)
ym = 5 + 3 * np.sin(xm / 1.5)
ax.plot(xm, ym, "o", color="#E377C2", ms=7)
ax.set_xlim(0, 10); ax.set_ylim(0, 10)
save("markers", fig, ax, [("markers", xm, ym, "#E377C2")], between="markers only")

with open(os.path.join(OUT, "calibration.json"), "w") as f:
    json.dump({"pixel_convention": "(col,row), 0-based, top-left origin, integer = pixel centre",
               "charts": charts}, f, indent=1)
print("wrote", len(charts), "charts to", OUT)
