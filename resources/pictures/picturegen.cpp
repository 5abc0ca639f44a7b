// picturegen: draws the pictures that ship next to the Vexlab program.
//
//   picturegen <outdir>
//
// Writes the logo, the default-network figure and the lab exercises' network
// diagrams (in labdiagrams/) as GIF, the toolbar and button icons as .ico and
// the mouse cursors as .cur. Everything is drawn from code and the output is the same,
// byte for byte, on every run with the same fonts.
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <cstdio>
#include <functional>

#include "picture_files.h"

namespace {

bool g_haveFonts = false;

const QColor kNavy(0, 0, 102);
const QColor kBlue(0, 51, 153);
const QColor kLightBlue(51, 102, 204);
const QColor kSky(153, 204, 255);
const QColor kInk(51, 51, 51);
const QColor kGrey(102, 102, 102);
const QColor kSilver(204, 204, 204);
const QColor kLinkRed(204, 0, 0);
const QColor kYellow(255, 204, 0);
const QColor kOrange(255, 153, 51);

constexpr int kDotsPerMeter = 3780;  // 96 dpi, fixed so PNG data never varies

QImage canvas(int w, int h, bool opaque) {
    QImage img(w, h, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    img.setDotsPerMeterX(kDotsPerMeter);
    img.setDotsPerMeterY(kDotsPerMeter);
    img.fill(opaque ? Qt::white : Qt::transparent);
    return img;
}

QFont font(int pixelSize, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setStyleStrategy(QFont::NoSubpixelAntialias);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void text(QPainter& p, const QRectF& box, int flags, const QString& s, const QFont& f,
          const QColor& colour) {
    if (!g_haveFonts) return;
    // Without a font that has these letters Qt would draw empty boxes;
    // leave the text out instead.
    const QFontMetricsF metrics(f);
    for (const QChar ch : s)
        if (!ch.isSpace() && !metrics.inFont(ch)) {
            static bool warned = false;
            if (!warned) std::fprintf(stderr, "picturegen: no usable font, leaving text out\n");
            warned = true;
            return;
        }
    p.save();
    p.setFont(f);
    p.setPen(colour);
    p.drawText(box, flags, s);
    p.restore();
}

// Text centred on a point.
void label(QPainter& p, QPointF at, const QString& s, const QFont& f, const QColor& colour) {
    text(p, QRectF(at.x() - 100, at.y() - 30, 200, 60), Qt::AlignCenter, s, f, colour);
}

QPointF unit(QPointF v) {
    const qreal len = std::hypot(v.x(), v.y());
    return len > 0 ? v / len : QPointF(0, 0);
}

// A line from `from` to `to` with a filled triangular head at `to`.
void arrow(QPainter& p, QPointF from, QPointF to, qreal width, qreal headLen, qreal headWidth,
           const QColor& colour) {
    const QPointF d = unit(to - from);
    const QPointF n(-d.y(), d.x());
    const QPointF base = to - d * headLen;
    p.save();
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, base + d * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{to, base + n * headWidth / 2, base - n * headWidth / 2});
    p.restore();
}

// Four arrows on an ellipse: two pointing in to the centre, two out of it,
// along the diagonals. The classic router mark, seen from above or at a slant.
void routerArrows(QPainter& p, QPointF c, qreal rx, qreal ry, qreal width, qreal head,
                  const QColor& colour) {
    auto at = [&](qreal u, qreal v) { return QPointF(c.x() + u * rx, c.y() + v * ry); };
    const qreal k = std::sqrt(0.5);
    const qreal inner = 0.16;
    const qreal outer = 0.86;
    // In from upper left and lower right.
    arrow(p, at(-outer * k, -outer * k), at(-inner * k, -inner * k), width, head, head, colour);
    arrow(p, at(outer * k, outer * k), at(inner * k, inner * k), width, head, head, colour);
    // Out to upper right and lower left.
    arrow(p, at(inner * k, -inner * k), at(outer * k, -outer * k), width, head, head, colour);
    arrow(p, at(-inner * k, inner * k), at(-outer * k, outer * k), width, head, head, colour);
}

// Router: a short cylinder, centred on `c`, `w` wide, with arrows on top.
// `tilt` is the top's height relative to its width (more is seen from above).
void drawRouter(QPainter& p, QPointF c, qreal w, qreal tilt = 0.38) {
    const qreal rx = w / 2;
    const qreal ry = w * tilt / 2;
    const qreal body = w * (0.53 - tilt / 2);
    const QPointF top(c.x(), c.y() - body / 2);
    const QPointF bottom(c.x(), c.y() + body / 2);
    const qreal outline = std::max<qreal>(1.0, w / 45);

    QPainterPath side;
    side.moveTo(top.x() - rx, top.y());
    side.lineTo(bottom.x() - rx, bottom.y());
    side.arcTo(QRectF(bottom.x() - rx, bottom.y() - ry, 2 * rx, 2 * ry), 180, 180);
    side.lineTo(top.x() + rx, top.y());
    side.closeSubpath();

    p.save();
    p.setPen(QPen(kNavy, outline));
    p.setBrush(kBlue);
    p.drawPath(side);
    p.setBrush(kLightBlue);
    p.drawEllipse(top, rx, ry);
    const qreal aw = std::max<qreal>(1.5, w / 30);
    routerArrows(p, top, rx * 0.92, ry * 0.92, aw, std::max<qreal>(4.0, aw * 2.8), Qt::white);
    p.restore();
}

// Switch: a flat box with a row of ports on its front and two-way arrows on
// top, centred on `c`, `w` wide.
void drawSwitch(QPainter& p, QPointF c, qreal w) {
    const qreal frontH = w * 0.32;
    const qreal depth = w * 0.22;
    const qreal skew = depth * 0.8;
    const QRectF front(c.x() - w / 2, c.y() - frontH / 2 + depth / 2, w - skew, frontH);
    const qreal outline = std::max<qreal>(1.0, w / 45);

    const QPolygonF topFace{front.topLeft(), front.topLeft() + QPointF(skew, -depth),
                            front.topRight() + QPointF(skew, -depth), front.topRight()};
    const QPolygonF sideFace{front.topRight(), front.topRight() + QPointF(skew, -depth),
                             front.bottomRight() + QPointF(skew, -depth), front.bottomRight()};

    p.save();
    p.setPen(QPen(kNavy, outline));
    p.setBrush(kLightBlue);
    p.drawPolygon(topFace);
    p.setBrush(kNavy);
    p.drawPolygon(sideFace);
    p.setBrush(kBlue);
    p.drawRect(front);

    // Ports on the front.
    const int ports = 6;
    const qreal portW = front.width() / (ports * 1.6 + 0.6);
    const qreal portH = front.height() * 0.34;
    p.setPen(Qt::NoPen);
    p.setBrush(kSky);
    for (int i = 0; i < ports; ++i) {
        const qreal x = front.left() + portW * (0.6 + i * 1.6);
        p.drawRect(QRectF(x, front.center().y() - portH / 2, portW, portH));
    }

    // Arrows on top: alternate directions, drawn along the face's slant.
    const QPointF o = front.topLeft() + QPointF(skew / 2, -depth / 2);
    const qreal len = front.width();
    const qreal aw = std::max<qreal>(1.0, w / 40);
    const qreal head = aw * 3;
    arrow(p, o + QPointF(len * 0.12, -depth * 0.2), o + QPointF(len * 0.45, -depth * 0.2), aw, head,
          head, Qt::white);
    arrow(p, o + QPointF(len * 0.88, depth * 0.2), o + QPointF(len * 0.55, depth * 0.2), aw, head,
          head, Qt::white);
    p.restore();
}

// Desktop PC: a monitor on a stand, `w` wide, centred on `c`.
void drawPc(QPainter& p, QPointF c, qreal w) {
    const qreal h = w * 0.72;
    const QRectF monitor(c.x() - w / 2, c.y() - h / 2, w, h);
    const qreal bezel = std::max<qreal>(2.0, w * 0.08);
    const qreal outline = std::max<qreal>(1.0, w / 45);

    p.save();
    // Stand and base.
    p.setPen(QPen(kInk, outline));
    p.setBrush(kSilver);
    const qreal neckW = w * 0.18;
    p.drawRect(QRectF(c.x() - neckW / 2, monitor.bottom(), neckW, w * 0.12));
    p.drawRoundedRect(QRectF(c.x() - w * 0.32, monitor.bottom() + w * 0.12, w * 0.64, w * 0.08),
                      w * 0.03, w * 0.03);
    // Frame and screen.
    p.drawRoundedRect(monitor, w * 0.06, w * 0.06);
    p.setBrush(kBlue);
    p.setPen(Qt::NoPen);
    const QRectF screen = monitor.adjusted(bezel, bezel, -bezel, -bezel * 1.6);
    p.drawRect(screen);
    // A highlight so the screen reads as glass.
    p.setBrush(kLightBlue);
    p.drawPolygon(QPolygonF{screen.topLeft(), screen.topLeft() + QPointF(screen.width() * 0.45, 0),
                            screen.topLeft() + QPointF(0, screen.height() * 0.6)});
    p.restore();
}

// Serial link: a straight line with a lightning-style zig-zag in its middle.
// `s` sets the size of the zig-zag.
void drawSerialLink(QPainter& p, QPointF a, QPointF b, qreal width, qreal s, const QColor& colour) {
    const QPointF d = unit(b - a);
    const QPointF n(-d.y(), d.x());
    const QPointF m = (a + b) / 2;
    const QPolygonF path{a,
                         m - d * (s * 1.2),
                         m - n * (s * 1.3) + d * (s * 0.35),
                         m + n * (s * 1.3) - d * (s * 0.35),
                         m + d * (s * 1.2),
                         b};
    p.save();
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(path);
    p.restore();
}

void drawLanLink(QPainter& p, QPointF a, QPointF b) {
    p.save();
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.restore();
}

// Interface name next to one end of a link: `dist` along the link from `from`,
// pushed `side` pixels to the left of the direction of travel.
void endLabel(QPainter& p, QPointF from, QPointF to, qreal dist, qreal side, const QString& s) {
    const QPointF d = unit(to - from);
    const QPointF n(d.y(), -d.x());
    label(p, from + d * dist + n * side, s, font(13), kLinkRed.darker(130));
}

// ---------------------------------------------------------------------------

QImage simulatorLogo() {
    QImage img = canvas(240, 80, true);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const QPointF c(40, 40);
    p.setPen(QPen(kNavy, 2));
    p.setBrush(kBlue);
    p.drawEllipse(c, 31, 31);
    routerArrows(p, c, 27, 27, 4, 10, Qt::white);

    text(p, QRectF(82, 8, 156, 40), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Vexlab"),
         font(34, true), kNavy);
    text(p, QRectF(84, 50, 154, 22), Qt::AlignLeft | Qt::AlignTop,
         QStringLiteral("Router Simulator"), font(14), kGrey);
    return img;
}

QImage defaultNetworkFigure() {
    QImage img = canvas(640, 420, true);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    text(p, QRectF(0, 14, 640, 34), Qt::AlignCenter, QStringLiteral("Default network"),
         font(22, true), kNavy);
    p.setPen(QPen(kSilver, 1));
    p.drawLine(QPointF(40, 58.5), QPointF(600, 58.5));

    const QPointF r1(120, 170);
    const QPointF r2(320, 170);
    const QPointF r3(520, 170);
    const QPointF sw(120, 320);
    const QPointF pc(360, 312);

    // Links first, so the devices sit on top of their ends.
    drawSerialLink(p, r1, r2, 2.5, 11, kLinkRed);
    drawSerialLink(p, r2, r3, 2.5, 11, kLinkRed);
    drawLanLink(p, r1, sw);
    drawLanLink(p, sw, QPointF(pc.x(), sw.y()));

    const qreal routerW = 88;
    drawRouter(p, r1, routerW);
    drawRouter(p, r2, routerW);
    drawRouter(p, r3, routerW);
    drawSwitch(p, sw, 100);
    drawPc(p, pc, 64);

    const QFont nameFont = font(16, true);
    label(p, r1 + QPointF(0, -50), QStringLiteral("R1"), nameFont, kInk);
    label(p, r2 + QPointF(0, -50), QStringLiteral("R2"), nameFont, kInk);
    label(p, r3 + QPointF(0, -50), QStringLiteral("R3"), nameFont, kInk);
    label(p, sw + QPointF(0, 44), QStringLiteral("2950"), nameFont, kInk);
    label(p, pc + QPointF(0, 52), QStringLiteral("PC"), nameFont, kInk);

    // Interface names, below the serial links and beside the LAN links.
    endLabel(p, r1, r2, 62, -14, QStringLiteral("s0"));
    endLabel(p, r2, r1, 62, 14, QStringLiteral("s0"));
    endLabel(p, r2, r3, 62, -14, QStringLiteral("s1"));
    endLabel(p, r3, r2, 62, 14, QStringLiteral("s0"));
    endLabel(p, r1, sw, 44, -16, QStringLiteral("e0"));
    endLabel(p, sw, r1, 42, 24, QStringLiteral("fa0/1"));
    endLabel(p, sw, QPointF(pc.x(), sw.y()), 84, 14, QStringLiteral("fa0/2"));
    return img;
}

// ---------------------------------------------------------------------------
// Network diagrams of the lab exercises: the devices the steps name (R1 to
// R3, S1 to S3, WS11, WS12), their links, interface names and networks.

// A cloud for a provider network, centred on `c`, `w` wide.
void drawCloud(QPainter& p, QPointF c, qreal w, const QString& name) {
    const qreal h = w * 0.55;
    QPainterPath cloud;
    cloud.setFillRule(Qt::WindingFill);
    cloud.addEllipse(QPointF(c.x() - w * 0.25, c.y() + h * 0.08), w * 0.25, h * 0.34);
    cloud.addEllipse(QPointF(c.x() + w * 0.25, c.y() + h * 0.08), w * 0.25, h * 0.34);
    cloud.addEllipse(QPointF(c.x() - w * 0.05, c.y() - h * 0.17), w * 0.27, h * 0.36);
    cloud.addEllipse(QPointF(c.x() + w * 0.16, c.y() - h * 0.12), w * 0.2, h * 0.3);
    cloud.addEllipse(QPointF(c.x(), c.y() + h * 0.2), w * 0.3, h * 0.3);
    p.save();
    p.setPen(QPen(kGrey, 2));
    p.setBrush(QColor(235, 242, 250));
    p.drawPath(cloud.simplified());
    p.restore();
    label(p, c, name, font(15, true), kGrey);
}

// A picture with its title, ready for devices and links.
void labCanvas(QPainter& p, QImage& img, const QString& title) {
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    text(p, QRectF(0, 10, img.width(), 30), Qt::AlignCenter, title, font(20, true), kNavy);
    p.setPen(QPen(kSilver, 1));
    p.drawLine(QPointF(30, 48.5), QPointF(img.width() - 30, 48.5));
}

// Text centred on a point, for lines too long for label().
void caption(QPainter& p, QPointF at, const QString& s, const QColor& colour) {
    text(p, QRectF(at.x() - 300, at.y() - 15, 600, 30), Qt::AlignCenter, s, font(13), colour);
}

void name(QPainter& p, QPointF at, const QString& s) {
    label(p, at, s, font(16, true), kInk);
}

// A network's address written along a link, a little off its middle.
void network(QPainter& p, QPointF a, QPointF b, qreal side, const QString& s) {
    const QPointF d = unit(b - a);
    const QPointF n(d.y(), -d.x());
    label(p, (a + b) / 2 + n * side, s, font(13), kBlue);
}

QImage oneRouterDiagram() {
    QImage img = canvas(560, 340, true);
    QPainter p;
    labCanvas(p, img, QStringLiteral("One router"));
    const QPointF r1(280, 150), pc(120, 260), out(470, 150);
    drawLanLink(p, r1, pc);
    drawSerialLink(p, r1, out, 2.5, 10, kLinkRed);
    drawRouter(p, r1, 84);
    drawPc(p, pc, 60);
    name(p, r1 + QPointF(0, -48), QStringLiteral("R1"));
    name(p, pc + QPointF(0, 50), QStringLiteral("WS11"));
    label(p, out + QPointF(10, -20), QStringLiteral("to R2"), font(14), kGrey);
    endLabel(p, r1, pc, 52, -16, QStringLiteral("e0"));
    endLabel(p, r1, out, 58, 14, QStringLiteral("s0"));
    network(p, r1, pc, 44, QStringLiteral("192.168.1.0/24"));
    network(p, r1, out, -20, QStringLiteral("192.168.12.0/24"));
    return img;
}

QImage twoRoutersDiagram() {
    QImage img = canvas(620, 360, true);
    QPainter p;
    labCanvas(p, img, QStringLiteral("Two routers"));
    const QPointF r1(170, 150), r2(450, 150), pc1(170, 285), pc2(450, 285);
    drawSerialLink(p, r1, r2, 2.5, 11, kLinkRed);
    drawLanLink(p, r1, pc1);
    drawLanLink(p, r2, pc2);
    drawRouter(p, r1, 84);
    drawRouter(p, r2, 84);
    drawPc(p, pc1, 56);
    drawPc(p, pc2, 56);
    name(p, r1 + QPointF(0, -48), QStringLiteral("R1"));
    name(p, r2 + QPointF(0, -48), QStringLiteral("R2"));
    name(p, pc1 + QPointF(-60, 0), QStringLiteral("WS11"));
    name(p, pc2 + QPointF(60, 0), QStringLiteral("WS12"));
    endLabel(p, r1, r2, 84, 14, QStringLiteral("s0 (DCE)"));
    endLabel(p, r2, r1, 64, -14, QStringLiteral("s0"));
    endLabel(p, r1, pc1, 46, 16, QStringLiteral("e0"));
    endLabel(p, r2, pc2, 46, -16, QStringLiteral("e0"));
    network(p, r1, r2, 28, QStringLiteral("192.168.12.0/24"));
    network(p, r1, pc1, -62, QStringLiteral("192.168.1.0/24"));
    network(p, r2, pc2, 62, QStringLiteral("192.168.2.0/24"));
    return img;
}

QImage threeRoutersDiagram() {
    QImage img = canvas(700, 360, true);
    QPainter p;
    labCanvas(p, img, QStringLiteral("Three routers"));
    const QPointF r1(130, 150), r2(350, 150), r3(570, 150), pc1(130, 285), pc3(570, 285);
    drawSerialLink(p, r1, r2, 2.5, 11, kLinkRed);
    drawSerialLink(p, r2, r3, 2.5, 11, kLinkRed);
    drawLanLink(p, r1, pc1);
    drawLanLink(p, r3, pc3);
    for (QPointF r : {r1, r2, r3}) drawRouter(p, r, 80);
    drawPc(p, pc1, 56);
    drawPc(p, pc3, 56);
    name(p, r1 + QPointF(0, -46), QStringLiteral("R1"));
    name(p, r2 + QPointF(0, -46), QStringLiteral("R2"));
    name(p, r3 + QPointF(0, -46), QStringLiteral("R3"));
    name(p, pc1 + QPointF(-60, 0), QStringLiteral("WS11"));
    name(p, pc3 + QPointF(60, 0), QStringLiteral("WS12"));
    endLabel(p, r1, r2, 56, -14, QStringLiteral("s0"));
    endLabel(p, r2, r1, 56, 14, QStringLiteral("s0"));
    endLabel(p, r2, r3, 56, -14, QStringLiteral("s1"));
    endLabel(p, r3, r2, 56, 14, QStringLiteral("s0"));
    endLabel(p, r1, pc1, 46, 16, QStringLiteral("e0"));
    endLabel(p, r3, pc3, 46, -16, QStringLiteral("e0"));
    network(p, r1, r2, 22, QStringLiteral("192.168.12.0/24"));
    network(p, r2, r3, 22, QStringLiteral("192.168.23.0/24"));
    network(p, r1, pc1, -62, QStringLiteral("192.168.1.0/24"));
    network(p, r3, pc3, 62, QStringLiteral("192.168.3.0/24"));
    return img;
}

QImage switchesDiagram() {
    QImage img = canvas(640, 420, true);
    QPainter p;
    labCanvas(p, img, QStringLiteral("Switches and VLANs"));
    const QPointF r1(380, 110), s2(380, 230), s1(110, 230), ws11(260, 350), ws12(500, 350);
    drawLanLink(p, r1, s2);
    drawLanLink(p, s1, s2);
    drawLanLink(p, s2, ws11);
    drawLanLink(p, s2, ws12);
    drawRouter(p, r1, 70);
    drawSwitch(p, s2, 96);
    drawSwitch(p, s1, 96);
    drawPc(p, ws11, 52);
    drawPc(p, ws12, 52);
    name(p, r1 + QPointF(60, 0), QStringLiteral("R1"));
    name(p, s2 + QPointF(80, -4), QStringLiteral("S2"));
    name(p, s1 + QPointF(0, 44), QStringLiteral("S1 (1900)"));
    name(p, ws11 + QPointF(-62, 0), QStringLiteral("WS11"));
    name(p, ws12 + QPointF(62, 0), QStringLiteral("WS12"));
    caption(p, QPointF(245, 216), QStringLiteral("trunk"), kGrey);
    caption(p, QPointF(300, 244), QStringLiteral("fa0/1"), kLinkRed.darker(130));
    caption(p, QPointF(296, 290), QStringLiteral("fa0/2"), kLinkRed.darker(130));
    caption(p, QPointF(470, 290), QStringLiteral("fa0/3"), kLinkRed.darker(130));
    caption(p, ws11 + QPointF(0, 46), QStringLiteral("VLAN 10 Sales"), kBlue);
    caption(p, ws12 + QPointF(0, 46), QStringLiteral("VLAN 20 Accounts"), kBlue);
    caption(p, QPointF(270, 160), QStringLiteral("VLAN 1: 192.168.1.0/24"), kBlue);
    return img;
}

QImage natDiagram() {
    QImage img = canvas(700, 380, true);
    QPainter p;
    labCanvas(p, img, QStringLiteral("Network address translation"));
    const QPointF server(110, 150), ws(110, 300), r1(320, 225), isp(590, 225);
    const QPointF cloudEdge = isp - QPointF(85, 0);
    drawLanLink(p, r1, server);
    drawLanLink(p, r1, ws);
    drawSerialLink(p, r1, cloudEdge, 2.5, 10, kLinkRed);
    drawCloud(p, isp, 170, QStringLiteral("Internet"));
    drawRouter(p, r1, 84);
    drawPc(p, server, 54);
    drawPc(p, ws, 54);
    name(p, r1 + QPointF(0, -50), QStringLiteral("R1"));
    caption(p, server + QPointF(0, -42), QStringLiteral("web server 192.168.1.10"), kInk);
    name(p, ws + QPointF(0, 50), QStringLiteral("WS11"));
    caption(p, QPointF(248, 262), QStringLiteral("e0 inside"), kLinkRed.darker(130));
    caption(p, QPointF(430, 258), QStringLiteral("s0 outside 200.1.1.1"), kLinkRed.darker(130));
    caption(p, QPointF(430, 196), QStringLiteral("200.1.1.0/24"), kBlue);
    caption(p, QPointF(165, 226), QStringLiteral("192.168.1.0/24"), kBlue);
    return img;
}

QImage frameRelayDiagram() {
    QImage img = canvas(700, 340, true);
    QPainter p;
    labCanvas(p, img, QStringLiteral("Frame Relay"));
    const QPointF r1(90, 180), r2(610, 180), cloud(350, 180);
    drawSerialLink(p, r1, cloud - QPointF(95, 0), 2.5, 9, kLinkRed);
    drawSerialLink(p, cloud + QPointF(95, 0), r2, 2.5, 9, kLinkRed);
    drawCloud(p, cloud, 200, QStringLiteral("Frame Relay"));
    drawRouter(p, r1, 84);
    drawRouter(p, r2, 84);
    name(p, r1 + QPointF(0, -48), QStringLiteral("R1"));
    name(p, r2 + QPointF(0, -48), QStringLiteral("R2"));
    caption(p, QPointF(185, 205), QStringLiteral("s0  DLCI 102"), kLinkRed.darker(130));
    caption(p, QPointF(515, 205), QStringLiteral("s0  DLCI 201"), kLinkRed.darker(130));
    caption(p, QPointF(350, 275), QStringLiteral("static maps: 10.1.1.0/24"), kBlue);
    caption(p, QPointF(350, 298), QStringLiteral("point-to-point s0.102: 10.1.12.0/24"), kBlue);
    return img;
}

// 32x32 pictures with a transparent background.
QImage icon(const std::function<void(QPainter&)>& draw, bool antialias = true) {
    QImage img = canvas(32, 32, false);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, antialias);
    draw(p);
    p.end();
    return img;
}

QImage routerIcon() {
    return icon([](QPainter& p) { drawRouter(p, QPointF(16, 16), 31, 0.6); });
}

QImage switchIcon() {
    return icon([](QPainter& p) { drawSwitch(p, QPointF(16, 17), 31); });
}

QImage pcIcon() {
    return icon([](QPainter& p) { drawPc(p, QPointF(16, 13), 28); });
}

QImage serialIcon() {
    return icon([](QPainter& p) {
        const QPointF a(6, 26);
        const QPointF b(26, 6);
        drawSerialLink(p, a, b, 2.2, 4.5, kLinkRed);
        // Connector shells at both ends.
        p.setPen(QPen(kInk, 1));
        p.setBrush(kSilver);
        p.drawRoundedRect(QRectF(1, 22, 8, 8), 2, 2);
        p.drawRoundedRect(QRectF(23, 2, 8, 8), 2, 2);
    });
}

QImage penIcon() {
    return icon([](QPainter& p) {
        // A pen lying from the upper right down to its tip at the lower left.
        p.translate(16, 16);
        p.rotate(-45);
        p.setPen(QPen(kInk, 1));
        // Barrel.
        p.setBrush(kYellow);
        p.drawRect(QRectF(-7, -3.5, 18, 7));
        // Cap end.
        p.setBrush(kOrange);
        p.drawRoundedRect(QRectF(11, -3.5, 4, 7), 1.5, 1.5);
        // Sharpened wood and the point.
        p.setBrush(QColor(255, 204, 153));
        p.drawPolygon(QPolygonF{QPointF(-7, -3.5), QPointF(-7, 3.5), QPointF(-14, 0)});
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF{QPointF(-11.5, -1.25), QPointF(-11.5, 1.25), QPointF(-14, 0)});
    });
}

// The console's labs button: an open book, whole at 16 pixels too.
QImage labsIcon() {
    return icon([](QPainter& p) {
        p.setPen(QPen(kNavy, 1.5));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1.5, 7.5, 29, 21), 2, 2);  // the cover
        p.setBrush(Qt::white);
        p.drawPolygon(
            QPolygonF{QPointF(3.5, 4.5), QPointF(15.5, 7), QPointF(15.5, 26.5), QPointF(3.5, 24)});
        p.drawPolygon(QPolygonF{QPointF(28.5, 4.5), QPointF(16.5, 7), QPointF(16.5, 26.5),
                                QPointF(28.5, 24)});
        // Lines of text on both pages.
        p.setPen(QPen(kLightBlue, 2, Qt::SolidLine, Qt::FlatCap));
        for (int line = 0; line < 4; ++line) {
            const qreal y = 10.5 + 3.8 * line;
            p.drawLine(QPointF(6, y), QPointF(13, y + 1.4));
            p.drawLine(QPointF(19, y + 1.4), QPointF(26, y));
        }
    });
}

QImage hourglassCursor() {
    return icon([](QPainter& p) {
        const QColor glass(255, 255, 255);
        // Bulbs.
        QPainterPath bulbs;
        bulbs.moveTo(9, 5);
        bulbs.lineTo(23, 5);
        bulbs.cubicTo(23, 12, 17.5, 14, 17.5, 16);
        bulbs.cubicTo(17.5, 18, 23, 20, 23, 27);
        bulbs.lineTo(9, 27);
        bulbs.cubicTo(9, 20, 14.5, 18, 14.5, 16);
        bulbs.cubicTo(14.5, 14, 9, 12, 9, 5);
        bulbs.closeSubpath();
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(glass);
        p.drawPath(bulbs);
        // Sand: a little left on top, a heap below, a thin stream between.
        p.setPen(Qt::NoPen);
        p.setBrush(kOrange);
        p.drawPolygon(QPolygonF{QPointF(12, 10), QPointF(20, 10), QPointF(16, 14.5)});
        p.drawPolygon(QPolygonF{QPointF(10.5, 26), QPointF(21.5, 26), QPointF(16, 20.5)});
        p.drawRect(QRectF(15.5, 14, 1, 9));
        // End plates.
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(kGrey);
        p.drawRect(QRectF(6.5, 2.5, 19, 3));
        p.drawRect(QRectF(6.5, 26.5, 19, 3));
    });
}

QImage crossCursor() {
    // Crisp one-pixel lines with a white halo, centred on pixel (16, 16).
    return icon(
        [](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawRect(15, 2, 3, 11);   // up
            p.drawRect(15, 20, 3, 11);  // down
            p.drawRect(2, 15, 11, 3);   // left
            p.drawRect(20, 15, 11, 3);  // right
            p.drawRect(15, 15, 3, 3);   // centre dot halo
            p.setBrush(Qt::black);
            p.drawRect(16, 3, 1, 9);
            p.drawRect(16, 21, 1, 9);
            p.drawRect(3, 16, 9, 1);
            p.drawRect(21, 16, 9, 1);
            p.drawRect(16, 16, 1, 1);
        },
        false);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: picturegen <outdir>\n");
        return 2;
    }
    QDir out(args.at(1));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "picturegen: cannot create %s\n", qPrintable(args.at(1)));
        return 1;
    }

    g_haveFonts = !QFontDatabase::families().isEmpty();
    if (!g_haveFonts) std::fprintf(stderr, "picturegen: no fonts found, drawing without text\n");

    bool ok = true;
    auto check = [&](bool written, const char* name) {
        if (!written) {
            std::fprintf(stderr, "picturegen: cannot write %s\n", name);
            ok = false;
        }
    };
    auto gif = [&](const char* name, const QImage& img) {
        check(vexlab::pictures::writeGif(img, out.filePath(QLatin1String(name))), name);
    };
    auto ico = [&](const char* name, const QImage& img) {
        check(vexlab::pictures::writeIco(img, out.filePath(QLatin1String(name))), name);
    };
    auto cur = [&](const char* name, const QImage& img, int hotX, int hotY) {
        check(vexlab::pictures::writeCur(img, hotX, hotY, out.filePath(QLatin1String(name))), name);
    };

    gif("simulator-logo.gif", simulatorLogo());
    gif("tolvane-fig.gif", defaultNetworkFigure());
    ico("router.ico", routerIcon());
    ico("switch.ico", switchIcon());
    ico("Pc04.ico", pcIcon());
    ico("serial.ico", serialIcon());
    ico("Pen03.ico", penIcon());
    ico("labs.ico", labsIcon());
    cur("Wait05.cur", hourglassCursor(), 16, 16);
    cur("Cross03.cur", crossCursor(), 16, 16);

    if (!out.mkpath(QStringLiteral("labdiagrams"))) {
        std::fprintf(stderr, "picturegen: cannot create the labdiagrams folder\n");
        return 1;
    }
    gif("labdiagrams/one-router.gif", oneRouterDiagram());
    gif("labdiagrams/two-routers.gif", twoRoutersDiagram());
    gif("labdiagrams/three-routers.gif", threeRoutersDiagram());
    gif("labdiagrams/switches.gif", switchesDiagram());
    gif("labdiagrams/nat.gif", natDiagram());
    gif("labdiagrams/frame-relay.gif", frameRelayDiagram());

    return ok ? 0 : 1;
}
