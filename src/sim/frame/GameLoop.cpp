#include "sim/frame/GameLoop.h"

#include "sim/frame/FrameHost.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/KeyHandler.h"
#include "core/Units.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/view/AnimationClock.h"
#include "sim/view/FrameObjects.h"

#include <ostream>

#include <glm/geometric.hpp>
#include <glm/vec2.hpp>
#include <glm/gtc/matrix_transform.hpp>

GameLoop::GameLoop(GameSession& session, FrameHost& host)
    : session(session), host(host), keys(std::make_unique<KeyHandler>(session.input, session.camera, host, session.config.debug, session.log))
{
}

GameLoop::~GameLoop() = default;

FrameView& GameLoop::runFrame(float time)
{
    const float deltaTime = time - session.frame.lastFrame;
    session.frame.lastFrame = time;
    return runFrameAfter(deltaTime);
}

FrameView& GameLoop::runFrameAfter(float deltaTime)
{
    advanceClock(deltaTime);
    FrameState& frame = session.frame;
    InputState& in = session.input;
    session.events.clear();
    if (session.announceRestart) {
        session.announceRestart = false;
        addEvent(FrameEventKind::LevelRestarted);
    }
    // The window's events are read in every frame, the warm-up's too, so the
    // desktop never sees a frozen window and its close button works at once.
    host.pollEvents();
    if (frame.warmUpOver()) {
        if (frame.frameCount == 1 || !(frame.frameCount - 1 > frame.loadTime)) addEvent(FrameEventKind::WarmUpEnded);
        const bool wasPaused = in.paused, wasStarted = in.gameStarted;
        keys->processKeys(frame.deltaTime);
        if (in.gameStarted && !wasStarted) addEvent(FrameEventKind::LevelStarted);
        if (in.paused != wasPaused) addEvent(in.paused ? FrameEventKind::Paused : FrameEventKind::Resumed);
        if (in.paused) return pausedFrame();
        session.hud.paused = false;
        decideStep();
        handleInput();
    } else if (host.isKeyDown(Key::Escape)) {
        // No game key acts during the warm-up; quitting is no game move.
        host.requestClose();
    }

    if (session.input.gameStarted && frame.warmUpOver()) {
        if (session.gameManager.gameState == Playing) frame.playTime += frame.deltaTime;
        playStep();
        if (session.gameManager.gameState == Playing) decideGameOutcome();
    }

    // The rest keeps the order in which a frame was always drawn: camera, view
    // and culling, then the power-up's spin, the void's rise and the jump
    // timers, all after the goal and loss tests of this frame.
    followCamera();
    decideView();
    spinPowerUp();
    riseVoid();
    session.character.advanceJumpTimers(frame.deltaTime);
    describeFrame(session, view);
    return view;
}

void GameLoop::advanceClock(float deltaTime)
{
    FrameState& frame = session.frame;
    frame.deltaTime = deltaTime;
    frame.frameCount += 1;
    frame.stepDue = false;
}

// The clock is never clamped; after the warm-up at most one fixed step a frame
// falls due and the rest of the backlog is kept. It is decided after the keys,
// so that a frame spent paused (the one P is pressed in included) owes the
// physics nothing.
void GameLoop::decideStep()
{
    FrameState& frame = session.frame;
    frame.stepAccumulator += frame.deltaTime;
    if (frame.stepAccumulator >= kFixedStep) {
        frame.stepAccumulator -= kFixedStep;
        frame.stepDue = true;
    }
}

// While paused nothing moves: no physics, no void, no timers, no camera glide,
// no animation; requests raised by held keys are dropped so that none is
// carried into the first frame after the pause. The view is the last one, with
// no time passing for the renderer's own motion.
FrameView& GameLoop::pausedFrame()
{
    InputState& in = session.input;
    in.moveForwardRequested = in.moveBackRequested = in.moveLeftRequested = in.moveRightRequested = false;
    in.jumpRequested = in.switchSideRequested = false;
    session.hud.paused = true;
    decideView();
    view.deltaTime = 0.0f;
    describeFrame(session, view);
    return view;
}

void GameLoop::handleInput()
{
    InputState& in = session.input;
    Camera& camera = session.camera;
    float x = 0.0f;
    float z = 0.0f;
    if (in.useGameCamera) {
        if (session.gameManager.gameState == Playing || session.config.debug) {
            if (in.moveForwardRequested) z = -1.0f;
            if (in.moveBackRequested) z += 1.0f;
            if (in.moveLeftRequested) x = -1.0f;
            if (in.moveRightRequested) x += 1.0f;
            in.moveForwardRequested = in.moveBackRequested = in.moveLeftRequested = in.moveRightRequested = false;
            if (in.jumpRequested) {
                in.jumpRequested = false;
                const JumpKind jump = session.character.jump();
                if (jump != JumpKind::None)
                    addEvent(jump == JumpKind::First ? FrameEventKind::FirstJump : FrameEventKind::SecondJump);
            }
        }
        if (in.switchSideRequested) {
            in.switchSideRequested = false;
            session.log << "Flip\n";
            camera.followSide = -camera.followSide;
        }
    }
    // Before the first Space the physics is not stepped: a push then would only
    // pile up speed (up to the cap) for the start to launch all at once.
    if (session.frame.stepDue && in.gameStarted) {
        const float side = static_cast<float>(camera.followSide);
        const glm::vec3 direction = in.useGameCamera ? glm::vec3(x * side, 0.0f, z * side) : glm::vec3(0.0f);
        session.character.move(direction);
    }
}

void GameLoop::playStep()
{
    if (session.frame.stepDue) {
        const glm::vec3 velocityBefore = PhysicsWorld::velocityOf(session.character.body);
        const bool powerUpWasThere = !session.voidState.powerUpUsed;
        session.physics.stepSimulation(kFixedStep);
        session.physics.fetchSimulationResults();
        session.character.applyPostStepImpulse();
        session.lastContact = session.contacts.afterStep(session.physics, velocityBefore);
        if (session.lastContact.landingSpeed > 0.0f) addEvent(FrameEventKind::Landing, session.lastContact.landingSpeed);
        if (session.lastContact.bumpSpeed > 0.0f) addEvent(FrameEventKind::Bump, session.lastContact.bumpSpeed);
        if (powerUpWasThere && session.voidState.powerUpUsed) addEvent(FrameEventKind::PowerUpTaken);
    }
    const glm::vec3 position = session.character.getPosition();
    const float distance = glm::distance(position, session.level->goal->geometry.position);
    session.hud.update(session.level->label, distance, session.voidState.voidHeight);
}

void GameLoop::decideGameOutcome()
{
    GameManager& manager = session.gameManager;
    const glm::vec3 position = session.character.getPosition();

    if (goalReached(*session.level->goal, position)) {
        session.log << "SUCCESSFULLY ESCAPED THE VOID!\n";
        session.character.celebrate();
        manager.gameState = Won;
        session.hud.playing = false;
        session.hud.won = true;
        addEvent(FrameEventKind::GoalReached);
        session.confetti.spawn(&session.physics, position + glm::vec3(0.0f, 5.0f, 0.0f));
        addEvent(FrameEventKind::ConfettiThrown);
    }
    // Made after the goal test in the same frame: reaching the goal at or below the void still loses.
    if (session.character.getHeight() <= session.voidState.voidHeight) {
        session.log << "GAME LOST! HEIGHT: " << session.voidState.voidHeight << "\n";
        manager.gameState = Lost;
        addEvent(FrameEventKind::VoidReached);
        session.hud.playing = false;
        session.hud.won = false;
    }
}

void GameLoop::followCamera()
{
    if (session.input.useGameCamera) session.camera.follow(session.character.getPosition(), session.frame.deltaTime);
}

void GameLoop::decideView()
{
    GameSession& s = session;
    FrameState& frame = s.frame;
    const StartupConfig& config = s.config;
    const glm::vec3 target = s.character.getPosition();
    const glm::vec3 up(0.0f, 1.0f, 0.0f);

    view.projection = glm::perspective(config.fieldOfView, config.aspectRatio, config.nearPlane, config.farPlane);
    view.view = s.input.useGameCamera ? glm::lookAt(s.camera.position, target, up) : s.camera.viewMatrix();
    view.cameraPosition = s.camera.position;
    view.characterPosition = target;
    if (!s.input.paused) advanceAnimation(frame);
    view.animationFrame = frame.animationFrame;
    view.deltaTime = frame.deltaTime;
    view.frameCount = frame.frameCount;
    view.hudVisible = s.input.hudVisible;
    view.wireframe = s.input.wireframe;
    view.events = s.events;
    view.grounded = s.lastContact.grounded;
    const glm::vec3 velocity = PhysicsWorld::velocityOf(s.character.body);
    view.groundSpeed = glm::length(glm::vec2(velocity.x, velocity.z));
    view.paused = s.input.paused;

    if (s.input.useGameCamera)
        s.frustum.setCamera(s.camera.position, target, up);
    else
        s.frustum.setCamera(s.camera.position, s.camera.position + s.camera.front, s.camera.up);
    s.frustum.setProjection(config.fieldOfView, config.aspectRatio, config.nearPlane, config.farPlane);

    frame.objectsDrawn = 0;
    const auto& platforms = s.level->platforms;
    view.platformVisible.assign(platforms.size(), 1);
    if (s.input.cullingEnabled) {
        for (size_t i = 0; i < platforms.size(); ++i) {
            const Platform& p = platforms[i];
            if (s.frustum.testSphere(p.position, boundingRadius(p.halfExtents)) == Frustum::Outside) {
                view.platformVisible[i] = 0;
            } else {
                frame.objectsDrawn += 1;
            }
        }
        if (frame.frameCount % 300 == 0) s.log << frame.objectsDrawn << " objects drawn\n";
    }

    const int32_t state = s.gameManager.gameState;
    view.powerUpDrawn = !s.voidState.powerUpUsed;
    view.voidDrawn = s.input.gameStarted && frame.warmUpOver() && (state == Playing || state == Lost);
}

// The beet turns only while it is still there to be taken.
void GameLoop::spinPowerUp()
{
    if (view.powerUpDrawn) session.level->powerUp->spin(session.frame.deltaTime);
}

// The void rises from the first jump on, and stops once the level is won.
void GameLoop::riseVoid()
{
    if (view.voidDrawn) session.level->voidHandler->rise(session.frame.deltaTime);
}

void GameLoop::addEvent(FrameEventKind kind, float speed)
{
    session.events.push_back({kind, speed, session.character.getPosition()});
}
