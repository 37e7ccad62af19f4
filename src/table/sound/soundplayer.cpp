#include "table/sound/soundplayer.h"

#include <QAudioDevice>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

Q_LOGGING_CATEGORY(lcSound, "quornet.sound")

namespace quornet::table {

QStringList SoundPlayer::eventSoundNames()
{
    return {
        QStringLiteral("CLEARBOOK"), QStringLiteral("CREATEBOOK"), QStringLiteral("CREATECOMPLETE"),
        QStringLiteral("DISCARD"),   QStringLiteral("ENTERED"),    QStringLiteral("GETCARD"),
        QStringLiteral("GETFOOT"),   QStringLiteral("PLACEBOOK"),  QStringLiteral("PLACECOMPLETE"),
        QStringLiteral("PLACEOFF"),  QStringLiteral("PLACEON"),    QStringLiteral("TURN"),
        QStringLiteral("TURNNEW"),   QStringLiteral("WINNER")};
}

QStringList SoundPlayer::soundNames()
{
    QStringList names = eventSoundNames();
    for (int n = 1; n <= 20; ++n)
        names << QStringLiteral("WAVE%1").arg(n);
    return names;
}

QString SoundPlayer::canonicalName(const QString& name)
{
    static const QStringList names = soundNames();
    const QString upper = name.trimmed().toUpper();
    return names.contains(upper) ? upper : QString();
}

QString SoundPlayer::resourcePath(const QString& name)
{
    const QString canonical = canonicalName(name);
    if (canonical.isEmpty()) return {};
    return QStringLiteral(":/sounds/%1.wav").arg(canonical.toLower());
}

SoundPlayer::SoundPlayer(Output output, QObject* parent) : QObject(parent), m_output(output)
{
    if (m_output == Output::Device) {
        m_devices = new QMediaDevices(this);
        connect(m_devices, &QMediaDevices::audioOutputsChanged, this,
                &SoundPlayer::updateAudioAvailable);
    }
    updateAudioAvailable();
}

SoundPlayer::~SoundPlayer()
{
    stop();
}

void SoundPlayer::setPlaySounds(bool on)
{
    m_playSounds = on;
}

void SoundPlayer::setPlayChatterSounds(bool on)
{
    m_playChatter = on;
}

void SoundPlayer::updateAudioAvailable()
{
    const bool was = m_audioAvailable;
    m_audioAvailable = m_output == Output::Device && !QMediaDevices::audioOutputs().isEmpty();
    if (m_audioAvailable) {
        // A device came or went: the loaded sounds follow the default output.
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        for (QSoundEffect* effect : std::as_const(m_effects))
            effect->setAudioDevice(device);
    } else if (was) {
        stop();
    }
}

bool SoundPlayer::playEvent(const QString& name)
{
    if (!m_playSounds) return false;
    return start(name);
}

bool SoundPlayer::playChatter(const QString& name)
{
    if (!m_playChatter) return false;
    return start(name);
}

void SoundPlayer::stop()
{
    if (m_current) m_current->stop();
    m_current = nullptr;
}

QSoundEffect* SoundPlayer::effectFor(const QString& canonical)
{
    auto it = m_effects.constFind(canonical);
    if (it != m_effects.constEnd())
        return it.value()->status() == QSoundEffect::Error ? nullptr : it.value();

    auto* effect = new QSoundEffect(QMediaDevices::defaultAudioOutput(), this);
    connect(effect, &QSoundEffect::statusChanged, this, [effect, canonical] {
        if (effect->status() == QSoundEffect::Error)
            qCWarning(lcSound) << "sound" << canonical << "cannot be played";
    });
    // Loading is asynchronous; play() before the sound is loaded starts it once it is.
    effect->setSource(QUrl(QStringLiteral("qrc") + resourcePath(canonical)));
    m_effects.insert(canonical, effect);
    return effect;
}

bool SoundPlayer::start(const QString& name)
{
    const QString canonical = canonicalName(name);
    if (canonical.isEmpty()) {
        qCDebug(lcSound) << "no sound named" << name;
        return false;
    }
    emit played(canonical);
    if (!m_audioAvailable) return true;
    QSoundEffect* effect = effectFor(canonical);
    if (!effect) return true;
    if (m_current && m_current != effect)
        m_current->stop(); // one sound at a time: the new one cuts the old one off
    effect->stop();
    effect->play();
    m_current = effect;
    return true;
}

} // namespace quornet::table
