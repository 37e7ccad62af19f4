// SoundPlayer: the table window's 34 wave sounds.
//
// The sounds are compiled into the program as Qt resources (":/sounds/<name>.wav", lower-case
// names) and played asynchronously with QSoundEffect: play calls return at once, and a new sound
// cuts off the one still playing. Names match without regard to case ("getcard" plays GETCARD).
// Game-event sounds (playEvent) play only while Play Sounds is on, chatter sounds (playChatter)
// only while Play Chatter Sounds is on; a chatter sound does not depend on Play Sounds.
//
// Without an audio output device (a server, a test machine) nothing is played and nothing is
// reported to the user; the game goes on silently. A sound that fails to load is skipped the
// same way. played() is emitted for every sound the player starts or, without a device, would
// start, so the choice is observable in tests; Output::Silent never touches the audio system.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QMediaDevices;
class QSoundEffect;

namespace quornet::table {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    enum class Output {
        Device, // play on the default audio output when there is one
        Silent  // play nothing (tests); played() still reports the choices
    };

    explicit SoundPlayer(Output output = Output::Device, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // The 34 sound names in upper case: the 14 game-event sounds, then WAVE1..WAVE20.
    static QStringList soundNames();
    static QStringList eventSoundNames();
    // The canonical (upper-case) name of a sound, empty when there is no such sound.
    static QString canonicalName(const QString& name);
    // ":/sounds/<name>.wav" for a known sound (any letter case), else empty.
    static QString resourcePath(const QString& name);

    bool playSounds() const { return m_playSounds; }
    void setPlaySounds(bool on);
    bool playChatterSounds() const { return m_playChatter; }
    void setPlayChatterSounds(bool on);

    // True when sounds reach an audio device (Output::Device and a device present).
    bool audioAvailable() const { return m_audioAvailable; }

    // A game-event sound ("getcard", "TURN", ...). Returns true when it was started; false when
    // Play Sounds is off or the name is unknown.
    bool playEvent(const QString& name);
    // A chatter sound ("wave1".."wave20"). Returns true when it was started; false when Play
    // Chatter Sounds is off or the name is unknown.
    bool playChatter(const QString& name);
    // Cuts off the sound that is playing.
    void stop();

signals:
    // A sound was started (canonical upper-case name).
    void played(const QString& name);

private:
    bool start(const QString& name);
    QSoundEffect* effectFor(const QString& canonical);
    void updateAudioAvailable();

    Output m_output;
    bool m_playSounds = true;
    bool m_playChatter = false;
    bool m_audioAvailable = false;
    QMediaDevices* m_devices = nullptr;
    QHash<QString, QSoundEffect*> m_effects; // loaded on first use, kept for the next time
    QSoundEffect* m_current = nullptr;
};

} // namespace quornet::table
