#include "settings/tablesettings.h"

#include "settings/inifile.h"
#include "protocol/colortext.h"

namespace quornet::settings {

namespace {

const QString kTextsize = QStringLiteral("Textsize");
const QString kTop = QStringLiteral("Top");
const QString kLeft = QStringLiteral("Left");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kTextcolor = QStringLiteral("Textcolor");
const QString kBotspeed = QStringLiteral("Botspeed");
const QString kPlaysounds = QStringLiteral("Playsounds");
const QString kManualsort = QStringLiteral("Manualsort");
const QString kPickup = QStringLiteral("Pickup");
const QString kGametype = QStringLiteral("Gametype");
const QString kNobots = QStringLiteral("Nobots");
const QString kPickupdiscard = QStringLiteral("Pickupdiscard");
const QString kTurnsound = QStringLiteral("Turnsound");
const QString kChatterSounds = QStringLiteral("ChatterSounds");
const QString kCarddeck = QStringLiteral("Carddeck");
const QString kZoom = QStringLiteral("Zoom");
const QString kBotlevel = QStringLiteral("Botlevel");
const QString kShowlobby = QStringLiteral("Showlobby");

// The integer of the key, or the fallback when missing or not a decimal integer.
int readInt(const IniFile& file, const QString& key, int fallback)
{
    bool ok = false;
    const int v = file.value(TableSettings::sectionName(), key).toInt(&ok);
    return ok ? v : fallback;
}

QString read(const IniFile& file, const QString& key)
{
    return file.value(TableSettings::sectionName(), key);
}

QString trueFalse(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

QString tf(bool on)
{
    return on ? QStringLiteral("t") : QStringLiteral("f");
}

} // namespace

QString TableSettings::sectionName()
{
    return QStringLiteral("quornet");
}

QStringList TableSettings::keyOrder()
{
    return {kTextsize,      kTop,        kLeft,          kWidth,   kHeight,   kTextcolor,
            kBotspeed,      kPlaysounds, kManualsort,    kPickup,  kGametype, kNobots,
            kPickupdiscard, kTurnsound,  kChatterSounds, kCarddeck, kZoom,
            kBotlevel,      kShowlobby};
}

QStringList TableSettings::phraseKeys()
{
    QStringList keys;
    for (int n = 1; n <= PhraseCount; ++n)
        keys << QStringLiteral("Phrase%1").arg(n);
    return keys;
}

int TableSettings::botSpeedFromText(const QString& text)
{
    const QString t = text.trimmed();
    if (t == QLatin1String("1000")) return BotSpeedSlow;
    if (t == QLatin1String("500")) return BotSpeedFast;
    return BotSpeedNormal;
}

QString TableSettings::gameTypeFromText(const QString& text)
{
    if (text == QLatin1String("r") || text == QLatin1String("3") || text == QLatin1String("5"))
        return text;
    return QStringLiteral("f");
}

int TableSettings::pickupFromInt(int pickup)
{
    return pickup >= 1 && pickup <= 7 ? pickup : 1;
}

int TableSettings::zoomFromText(const QString& text)
{
    // Only the View > Zoom steps; anything else shows the table at its own size.
    const QString t = text.trimmed();
    for (int z : {125, 150, 200})
        if (t == QString::number(z)) return z;
    return 100;
}

QString TableSettings::botLevelFromText(const QString& text)
{
    if (text == QLatin1String("strong") || text == QLatin1String("expert")) return text;
    return QStringLiteral("classic");
}

void TableSettings::load(const IniFile& file)
{
    const TableSettings defaults;

    textSize = readInt(file, kTextsize, defaults.textSize);
    // A point size of 0 or less is no font size at all, and a huge one leaves no room for the
    // chat: such values are as unreadable as letters.
    if (textSize < MinTextSize || textSize > MaxTextSize) textSize = defaults.textSize;

    top = readInt(file, kTop, defaults.top);
    left = readInt(file, kLeft, defaults.left);
    width = readInt(file, kWidth, defaults.width);
    height = readInt(file, kHeight, defaults.height);
    if (width <= 0) width = defaults.width;
    if (height <= 0) height = defaults.height;

    textColor = protocol::ColorText::fromText(
        file.value(sectionName(), kTextcolor, QStringLiteral("clblack")), protocol::colors::Black);

    const QStringList keys = phraseKeys();
    for (int n = 0; n < PhraseCount; ++n)
        phrases[n] = read(file, keys[n]);

    botSpeed = botSpeedFromText(read(file, kBotspeed));
    playSounds = read(file, kPlaysounds) != QLatin1String("false");
    manualSort = read(file, kManualsort) != QLatin1String("false");
    pickup = pickupFromInt(readInt(file, kPickup, defaults.pickup));
    gameType = gameTypeFromText(read(file, kGametype));
    noBots = read(file, kNobots) == QLatin1String("t");
    pickupDiscard = read(file, kPickupdiscard) != QLatin1String("f");
    turnSound = read(file, kTurnsound) == QLatin1String("1") ? 1 : 0;
    chatterSounds = read(file, kChatterSounds) != QLatin1String("false");
    cardDeck = read(file, kCarddeck);
    zoom = zoomFromText(read(file, kZoom));
    botLevel = botLevelFromText(read(file, kBotlevel));
    showLobby = read(file, kShowlobby) != QLatin1String("false");
}

void TableSettings::save(IniFile& file) const
{
    const QString s = sectionName();
    file.setValue(s, kTextsize, QString::number(textSize));
    file.setValue(s, kTop, QString::number(top));
    file.setValue(s, kLeft, QString::number(left));
    file.setValue(s, kWidth, QString::number(width));
    file.setValue(s, kHeight, QString::number(height));
    const QString colour = protocol::ColorText::toText(textColor);
    quint32 back = 0;
    if (protocol::ColorText::fromText(colour, &back) && back == textColor)
        file.setValue(s, kTextcolor, colour);
    file.setValue(s, kBotspeed, QString::number(botSpeed));
    file.setValue(s, kPlaysounds, trueFalse(playSounds));
    file.setValue(s, kManualsort, trueFalse(manualSort));
    file.setValue(s, kPickup, QString::number(pickup));
    file.setValue(s, kGametype, gameTypeFromText(gameType));
    file.setValue(s, kNobots, tf(noBots));
    file.setValue(s, kPickupdiscard, tf(pickupDiscard));
    file.setValue(s, kTurnsound, turnSound == 1 ? QStringLiteral("1") : QStringLiteral("0"));
    file.setValue(s, kChatterSounds, trueFalse(chatterSounds));
    file.setValue(s, kCarddeck, cardDeck);
    file.setValue(s, kZoom, QString::number(zoomFromText(QString::number(zoom))));
    file.setValue(s, kBotlevel, botLevelFromText(botLevel));
    file.setValue(s, kShowlobby, trueFalse(showLobby));
}

void TableSettings::savePhrases(IniFile& file) const
{
    const QStringList keys = phraseKeys();
    for (int n = 0; n < PhraseCount; ++n)
        file.setValue(sectionName(), keys[n], phrases[n]);
}

bool TableSettings::loadFrom(const QString& path)
{
    IniFile file(path);
    const bool ok = file.load();
    load(file);
    return ok;
}

bool TableSettings::saveTo(const QString& path) const
{
    IniFile file(path);
    if (!file.load()) return false;
    save(file);
    return file.save();
}

bool TableSettings::saveShowLobbyTo(const QString& path, bool show)
{
    IniFile file(path);
    if (!file.load()) return false;
    file.setValue(sectionName(), kShowlobby, trueFalse(show));
    return file.save();
}

bool TableSettings::savePhrasesTo(const QString& path) const
{
    IniFile file(path);
    if (!file.load()) return false;
    savePhrases(file);
    return file.save();
}

} // namespace quornet::settings
