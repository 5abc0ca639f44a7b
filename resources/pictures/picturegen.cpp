// picturegen: draws the pictures that ship next to the Vexlab program.
//
//   picturegen <outdir> <lab diagrams folder>
//
// Writes the logo, the default-network figure and the lab exercises' network
// diagrams (labdiagrams/<name>.gif for every <name>.net of the lab diagrams
// folder) as GIF, the toolbar and button icons as .ico and the mouse
// cursors as .cur. Everything is drawn from code and the output is the same,
// byte for byte, on every run with the same fonts.
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "lab_diagram_source.h"
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
// Network diagrams of the lab exercises, drawn from their descriptions
// (resources/labs/lab_diagram_source.h): every device the description names
// at its place, every cable with its interfaces and host addresses at its
// ends and its network along it, and the description's notes.

using vexlab::examples::ExampleDevice;
using vexlab::examples::ExampleInterface;
using vexlab::examples::LabDiagram;

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

enum class Symbol { Router, Switch, Pc, None };

Symbol symbolOf(const std::string& model) {
    if (model == "PC") return Symbol::Pc;
    if (model == "2950" || model == "1912") return Symbol::Switch;
    return Symbol::Router;
}

// How far a symbol reaches out from its middle.
qreal reach(Symbol symbol) {
    switch (symbol) {
        case Symbol::Router:
            return 42;
        case Symbol::Switch:
            return 48;
        case Symbol::Pc:
            return 30;
        case Symbol::None:
            return 0;
    }
    return 0;
}

// "s0", "e0", "fa0/1": an interface as the diagrams write it.
QString interfaceLabel(const std::string& interface) {
    const auto digit = interface.find_first_of("0123456789");
    const std::string kind = interface.substr(0, digit);
    const std::string rest = digit == std::string::npos ? std::string() : interface.substr(digit);
    if (kind == "Serial") return QString::fromStdString("s" + rest);
    if (kind == "Ethernet") return QString::fromStdString("e" + rest);
    if (kind == "FastEthernet") return QString::fromStdString("fa" + rest);
    return QString::fromStdString(interface).toLower();
}

// One end of a cable: a device's interface, or the point where a cable
// leaves the picture.
struct CableEnd {
    QPointF at;
    Symbol symbol = Symbol::None;
    const ExampleInterface* interface = nullptr;
};

struct Cable {
    CableEnd a, b;
    bool serial = false;
};

std::vector<Cable> cablesOf(const LabDiagram& diagram) {
    std::map<std::string, const ExampleDevice*> devices;
    for (const auto& device : diagram.network.devices) devices[device.name] = &device;
    auto end = [&](const ExampleDevice& device, const std::string& name) {
        CableEnd e{QPointF(device.x, device.y), symbolOf(device.model), nullptr};
        for (const auto& interface : device.interfaces)
            if (interface.name == name) e.interface = &interface;
        return e;
    };
    std::vector<Cable> cables;
    for (const auto& device : diagram.network.devices)
        for (const auto& interface : device.interfaces) {
            // Each cable once, from the end that sorts first.
            if (interface.far_device.empty() ||
                std::tie(interface.far_device, interface.far_interface) <
                    std::tie(device.name, interface.name))
                continue;
            const ExampleDevice& far = *devices.at(interface.far_device);
            cables.push_back({end(device, interface.name), end(far, interface.far_interface),
                              interface.name.rfind("Serial", 0) == 0});
        }
    for (const auto& loose : diagram.loose_ends) {
        const ExampleDevice& device = *devices.at(loose.device);
        cables.push_back({end(device, loose.interface),
                          {QPointF(loose.x, loose.y)},
                          loose.interface.rfind("Serial", 0) == 0});
    }
    return cables;
}

// A cable's direction, pointing right (or down, when it runs up and down),
// and the side below it (or left of it) where its ends are labelled; its
// network is written on the other side.
std::pair<QPointF, QPointF> directionAndSide(const Cable& cable) {
    QPointF d = unit(cable.b.at - cable.a.at);
    if (d.x() < -1e-9 || (std::abs(d.x()) <= 1e-9 && d.y() < 0)) d = -d;
    return {d, QPointF(-d.y(), d.x())};
}

// The distance from a text's middle to its edge in direction `v`.
qreal halfExtent(const QFontMetricsF& metrics, const QString& s, QPointF v) {
    return std::abs(v.x()) * metrics.horizontalAdvance(s) / 2 +
           std::abs(v.y()) * metrics.height() / 2;
}

QString deviceName(const ExampleDevice& device) {
    const QString name = QString::fromStdString(device.name);
    return device.model == "1912" ? name + QStringLiteral(" (1900)") : name;
}

// A router's name goes above its symbol, another device's below, else on
// the other side, the right or the left: the first side that no cable leaves
// by.
QPointF namePlace(const ExampleDevice& device, const std::vector<Cable>& cables) {
    const QPointF at(device.x, device.y);
    const QFontMetricsF metrics(font(16, true));
    const QString name = deviceName(device);
    const qreal first = symbolOf(device.model) == Symbol::Router ? -1 : 1;
    for (const QPointF side :
         {QPointF(0, first), QPointF(0, -first), QPointF(1, 0), QPointF(-1, 0)}) {
        bool free = true;
        for (const auto& cable : cables)
            for (const auto& [here, there] :
                 {std::pair(cable.a.at, cable.b.at), std::pair(cable.b.at, cable.a.at)})
                if (here == at) {
                    const QPointF d = unit(there - here);
                    if (d.x() * side.x() + d.y() * side.y() > 0.8) free = false;
                }
        if (free)
            return at +
                   side * (reach(symbolOf(device.model)) + 6 + halfExtent(metrics, name, side));
    }
    return at + QPointF(0, first * (reach(symbolOf(device.model)) + 12));
}

void drawSymbol(QPainter& p, const ExampleDevice& device) {
    const QPointF at(device.x, device.y);
    switch (symbolOf(device.model)) {
        case Symbol::Router:
            drawRouter(p, at, 84);
            break;
        case Symbol::Switch:
            drawSwitch(p, at, 96);
            break;
        default:
            drawPc(p, at, 56);
            break;
    }
}

// "s0 .1" at a router's end, "fa0/2" at a switch port, ".10" at a workstation.
QString endText(const CableEnd& end) {
    if (!end.interface) return {};
    QString s = end.symbol == Symbol::Pc ? QString() : interfaceLabel(end.interface->name);
    if (vexlab::examples::has_address(*end.interface)) {
        if (!s.isEmpty()) s += QLatin1Char(' ');
        s += QString::fromStdString(
            vexlab::examples::host_part(end.interface->address, end.interface->mask));
    }
    return s;
}

QString networkText(const Cable& cable) {
    for (const CableEnd* end : {&cable.a, &cable.b})
        if (end->interface && vexlab::examples::has_address(*end->interface))
            return QString::fromStdString(
                vexlab::examples::network_of(end->interface->address, end->interface->mask));
    return {};
}

QImage labDiagram(const LabDiagram& diagram) {
    QImage img = canvas(diagram.width, diagram.height, true);
    QPainter p;
    labCanvas(p, img, QString::fromStdString(diagram.title));
    const std::vector<Cable> cables = cablesOf(diagram);
    const QFont small = font(13);
    const QFontMetricsF metrics(small);

    // Cables, then the clouds and devices over their ends, then the text.
    for (const auto& cable : cables) {
        if (cable.serial)
            drawSerialLink(p, cable.a.at, cable.b.at, 2.5, 11, kLinkRed);
        else
            drawLanLink(p, cable.a.at, cable.b.at);
    }
    for (const auto& cloud : diagram.clouds)
        drawCloud(p, QPointF(cloud.x, cloud.y), cloud.width, QString::fromStdString(cloud.text));
    for (const auto& device : diagram.network.devices) drawSymbol(p, device);
    for (const auto& device : diagram.network.devices)
        name(p, namePlace(device, cables), deviceName(device));

    for (const auto& cable : cables) {
        const auto [d, side] = directionAndSide(cable);
        const QPointF along = cable.b.at - cable.a.at;
        for (const auto& [end, outward] :
             {std::pair(&cable.a, unit(along)), std::pair(&cable.b, unit(-along))}) {
            const QString s = endText(*end);
            if (s.isEmpty()) continue;
            const QPointF at = end->at +
                               outward * (reach(end->symbol) + 6 + halfExtent(metrics, s, d)) +
                               side * (6 + halfExtent(metrics, s, side));
            label(p, at, s, small, kLinkRed.darker(130));
        }
        // A LAN's network is written once, along its router's cable.
        const QString network = cable.a.symbol == Symbol::Router || cable.b.symbol == Symbol::Router
                                    ? networkText(cable)
                                    : QString();
        if (!network.isEmpty())
            label(p,
                  cable.a.at + along / 2 -
                      side * ((cable.serial ? 16 : 6) + halfExtent(metrics, network, side)),
                  network, small, kBlue);
    }
    // What a cable leaving the picture leads to, written beyond its end.
    const QFont leadsTo = font(14);
    for (const auto& loose : diagram.loose_ends) {
        if (loose.text.empty()) continue;
        const QString s = QString::fromStdString(loose.text);
        const QPointF end(loose.x, loose.y);
        QPointF from;
        for (const auto& device : diagram.network.devices)
            if (device.name == loose.device) from = QPointF(device.x, device.y);
        const QPointF outward = unit(end - from);
        label(p, end + outward * (6 + halfExtent(QFontMetricsF(leadsTo), s, outward)), s, leadsTo,
              kGrey);
    }
    for (const auto& note : diagram.captions)
        caption(p, QPointF(note.x, note.y), QString::fromStdString(note.text), kInk);
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
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: picturegen <outdir> <lab diagrams folder>\n");
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
    const QDir diagrams(args.at(2));
    for (const QString& file :
         diagrams.entryList({QStringLiteral("*.net")}, QDir::Files, QDir::Name)) {
        QFile source(diagrams.filePath(file));
        if (!source.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "picturegen: cannot read %s\n", qPrintable(source.fileName()));
            return 1;
        }
        const std::string stem = QFileInfo(file).completeBaseName().toStdString();
        try {
            const auto diagram = vexlab::examples::parse_lab_diagram(source.readAll().toStdString(),
                                                                     file.toStdString());
            gif(("labdiagrams/" + stem + ".gif").c_str(), labDiagram(diagram));
        } catch (const vexlab::examples::ExampleError& error) {
            std::fprintf(stderr, "picturegen: %s\n", error.what());
            return 1;
        }
    }

    return ok ? 0 : 1;
}
