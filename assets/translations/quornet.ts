<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>BannerArt</name>
    <message>
        <source>YOUR TURN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ROUND</source>
        <comment>the rosette&apos;s upper word</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WON</source>
        <comment>the rosette&apos;s lower word</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiscoveryResponder</name>
    <message>
        <source>Cannot answer requests for tables on UDP port %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Gateway</name>
    <message>
        <source>The router&apos;s description at %1 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The device at %1 is not a router that opens ports (no UPnP Internet gateway).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No router on this network offers to open ports (no UPnP Internet gateway answered).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The router says it is not connected to the internet.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Hint</name>
    <message>
        <source>clubs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>diamonds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>spades</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hearts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>king</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>jack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the wilds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the wild</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the joker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint: take the pile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint: draw two cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint: nothing to play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint: make a book of %1s with a wild</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint: make a book of %1s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint: lay %1 on your completed %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint: lay %1 on your %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint: discard %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HostText</name>
    <message>
        <source>%1 chats: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has made no move for %2 seconds and is set to just watching; the computer plays until %1 is back.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IconArt</name>
    <message>
        <source>DISCARD</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InviteLink</name>
    <message>
        <source>The address is not an IP address or a computer&apos;s name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link names no address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password in the link is not readable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password in the link is longer than %1 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter an address or paste an invite link.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That is too long for an address or an invite link.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An invite link starts with quornet://.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link holds more than an address, a port and a password.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeptGames</name>
    <message>
        <source>Resume the unfinished game of %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rejoin the table at %1:%2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A game is in progress. Keep it to finish later?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LobbyArt</name>
    <message>
        <source>LOBBY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meet other players</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join a table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chat and play online</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortForwarding</name>
    <message>
        <source>The router refused to open port %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The router did not remove the mapping of port %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Reachability</name>
    <message>
        <source>Friends on this network can join at %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The router did not open the port, so players outside this network cannot join: open TCP port %1 on the router, or use a dedicated host.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The router opened the port, but the provider shares its address %1 among many customers, so players outside this network cannot reach this table: ask the provider for an address of your own, or use a dedicated host.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players on the internet can join at %1: the router opened the port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players on the internet can join at this network&apos;s internet address, port %1: the router opened the port.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SavedGame</name>
    <message>
        <source>the deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the discard pile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the turn phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game&apos;s options or turn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not four seats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>seat %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the player of seat %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not two teams</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the books of team %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a working book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a completed book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is damaged (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not a saved Quornet game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game was saved by a newer version of Quornet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is damaged (no version)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is damaged (the deal)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is damaged (the turn or the timer)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is damaged (the rounds)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is damaged (the shuffle&apos;s generator)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SideWindow</name>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TableFinder</name>
    <message>
        <source>Cannot look for tables on the network: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tally</name>
    <message>
        <source>Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lzrw1 : Error reading from input file : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lzrw1 : Error writing to output file : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lzrw1 (de)compression : Failed to open input file : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lzrw1 (de)compression : Failed to open output file : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : the tally holds &quot;%2&quot; where a count belongs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The tally starts empty. The unreadable file is kept as &quot;%2&quot; beside the new tally.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tally text ends before its column and row counts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tally text does not have %1 columns.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tally text has no valid row count.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tally text ends before its last cell.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unreadable tally file %1 could not be kept as %2; it is left as it is and the tally is not saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::host::TServer</name>
    <message>
        <source>The saved game in %1 could not be read (%2). It was moved to %1.bad.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The table answers requests for tables only while it listens.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listen - Error Binding Socket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listen - Error Starting Listen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::ChatPane</name>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::ChatView</name>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Main Chat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chat Scroll Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::ChatterBot</name>
    <message>
        <source>I need a Pepsi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;m a bit confused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oh it&apos;s getting late!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you think that is wise?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are too kind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I don&apos;t think that is a good idea</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That is very wise of you</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I have played this game alot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop yelling at me.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where ya going with that suitcase?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Careful you don&apos;t sit on that.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Have you seen Zeb today?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Is it lunch time yet?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Who is winning?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re doing great!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Did you see that?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Why did you do that?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Who knows..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Want to play cards?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;m feeling lucky tonight.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Will you come and play again sometime?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;m so happy you are here!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What is in your lunchbox today?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hey, I found a penny!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What&apos;s that on your neck?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My leg is on fire.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It&apos;s storming outside</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I learned to ride a bike.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You might want to call your mom.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you like roses?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is nothing on TV right now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I got hit by lightening</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Klot the bot says:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::ConnectionWatch</name>
    <message>
        <source>Connected again: rejoining the table...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nobody is hosting a table at %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No answer from %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have been removed from the table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host has closed the table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost the connection to the host. Reconnecting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost the connection to the host. Reconnecting (try %1)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection to the host could not be restored.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::HandView</name>
    <message>
        <source>Pick Up Pile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw Cards</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::OptionsMenu</name>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Just Watch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Chatter Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Classic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bot Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer Players</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strong</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card Deck</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::PhraseBar</name>
    <message>
        <source>Way To Go!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Good One!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nice Try!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excellent!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brilliant!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wow, WTG!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thanks!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Way To Go Teamie!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Good Game Everyone!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See ya!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Cancel&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::PlayArea</name>
    <message>
        <source>ADD CARDS TO THESE BOXES TO CREATE A BOOK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Taking the pile gives you:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more from under it, not seen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::PlayDialog</name>
    <message>
        <source>Your name at the table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play with Others</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host a Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join a Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None: anybody who knows the address may join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Let players on this network find the table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the port on my router</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An address, or an invite link (quornet://...)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only when the table needs one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tables on this network:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your last tables:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the address of the table, or choose one found on this network.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the name the others will see.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for tables on this network...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>game running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 table found on this network.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 tables found on this network.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hosted on port %1 as %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Joined %1 as %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::PlayMenu</name>
    <message>
        <source>&amp;Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw Cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick Up Pile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick or Lower the Card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lay on Box %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to the Book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play with the Keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Play</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::PlayingWithOthers</name>
    <message>
        <source>Host a Table...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join a Table...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Invite Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For Players on the Internet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For Players on This Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invite link copied: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave the Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave it and play solo?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This table needs a password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host runs another version of Quornet than yours (%1). Everyone at a table should run the same version; the game may go wrong otherwise.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the table&apos;s password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This invite link cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A game is in progress: it is kept to finish later. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A game is in progress. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading Solo Game..Please wait.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End it and host a table?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The table cannot be hosted on port %1: another program on this computer uses it. Choose another port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hosting a table on port %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hosting a table on port %1 with a password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave it and join another table?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Joining the table at %1...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::ScoreChart</name>
    <message>
        <source>The totals are drawn here once a game has begun.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::SeatMenu</name>
    <message>
        <source>Remove From Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set to Just Watch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unset Just Watch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::SeatStrip</name>
    <message>
        <source>Muted in this window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The seat is kept for %1 while the connection is lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Round %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::TableModel</name>
    <message>
        <source>This is not a valid book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can not make a book using THREES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can not make a book using WILDS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can only have 9 working books at one time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Woops, you already have that book!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a complete book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 created a %2 %3 book.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 added to the %2 book.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 completed a %2 %3 book.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 added to the %2 %3 completed book.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That card does not match the book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Doh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cough</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hello</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thank You</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where have you been?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snoring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sneezing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yeehaa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yippee</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oh No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Honk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oooh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Razzberry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cheer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Woman Laughing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Man Laughing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crying</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 chat: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 say: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are ignoring %1 in this window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are no longer ignoring %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &lt;Chatter Sound&gt; %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Turn.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1&apos;s turn.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host restarted; the game in progress was lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconnected to the host, but the seat was no longer kept for you.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconnected to the host. The game goes on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconnected to the host.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are Connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is Connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are spying.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is spying.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is just watching</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 are just watching</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 now playing again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 are playing again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play to 5000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play to 3000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Bots are just watching</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick Up: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Full Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play One Round</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has a different version of the game then you.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have a different version of the game then the host.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has started a game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 have started a game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The deck is out of cards. Round Over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The next round will start soon..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 have Won the Game!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Game Ended in a Tie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That is not a valid discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are not connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lost the connection; the seat is kept for %1 for %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Quornet!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw first: use the draw button or take the pile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That book belongs to the other team.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play to 500</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You drew two cards.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 drew two cards.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You took the pile: %1 and %2 more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You took the pile: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 took the pile: %2 and %3 more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 took the pile: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You discarded %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 discarded %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You went out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 went out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have no cards left, but %1 still holds cards: a team goes out only when both partners have played all their cards, so the turn passes on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no cards left, but %2 still holds cards: a team goes out only when both partners have played all their cards, so the turn passes on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You picked up your foot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 picked up the foot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press Continue on the round summary to start the next round.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::TableReach</name>
    <message>
        <source>Players on this network cannot find the table: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invite link for the internet: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invite link for this network: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::Tchat</name>
    <message>
        <source>Your turn took too long: the computer plays your seat until you are back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;m Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading Solo Game..Please wait.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading Multi-player Game.. Please Wait.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score Sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phrase List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tally List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vexo42 Lobby</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill the Screen (%1%)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::TeamBoardView</name>
    <message>
        <source>Green Team&apos;s Books</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue Team&apos;s Books</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 cards, one more completes it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 cards</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::Tgamelog</name>
    <message>
        <source>Game Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::Troundsummary</name>
    <message>
        <source>Cards played</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Book bonuses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Going out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This round</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quornet - Round Over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game is over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Round %1 is over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The round is over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Green Team went out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Blue Team went out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The deck ran out of cards.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game ended in a tie.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 have won the game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::table::Tscoresheet</name>
    <message>
        <source>Cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Books</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Going Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score Sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Round</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green %1, Blue %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Green Team won</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Blue Team won</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a tie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game over after 1 round, %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game over after %1 rounds, %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game has been played yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Round %1 in play: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Joined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (now)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green Team (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue Team (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::windows::InstallerDownload</name>
    <message>
        <source>A download is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address names no file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server answered %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The transfer ended after %1 of %2 bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot rename %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::windows::Tabout</name>
    <message>
        <source>Quornet - About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::windows::Tdownload</name>
    <message>
        <source>Download The Vexo42 Lobby</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download The Vexo42 Lobby Now to play this  and other exciting games online with other players! </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download And Install The Vexo42 Lobby Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To proceed to the game without the ability to play against others click the button below.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Solo Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: Even if you are playing offline, you will need to configure your FIREWALL to allow the game to access the internet components.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you already have The Vexo42 Lobby and you wish to play with others then click the button below to close this game and open The Vexo42 Lobby.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play with Others</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An Error has Occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download has been aborted.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::windows::Tgamestartform</name>
    <message>
        <source>Quornet - Start Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GAME TYPE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Full Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play to 5000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play to 3000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play One Round</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 Player Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pickup Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Classic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer Players: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source># to Pickup</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::windows::Thelp</name>
    <message>
        <source>&lt;p&gt;This page is missing.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>License</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Books</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strategy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Lobby</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quornet - Help File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DONE</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::windows::Tphrases</name>
    <message>
        <source>Quornet - Phrase Buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::windows::Tspylist</name>
    <message>
        <source>Q R T - Spys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quornet::windows::Ttallylist</name>
    <message>
        <source>No player selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quornet - Tally List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Tally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Total Tally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Wins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of Games</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player Wins:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Wins:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wins as a Team:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players In Current Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This will delete %1&apos;s Tally, Are you want to delete it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Wins:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1&apos;s Tally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
